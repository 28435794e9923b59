// Key names of a US keyboard and their DirectInput scan codes.
#include <algorithm>
#include <cctype>

#include "host/scenario/scenario.h"

namespace host {

namespace {

struct KeyRow {
    unsigned scanCode;
    const char *name;
};

// Five keys a row.
// clang-format off
const KeyRow kKeys[] = {
    {1, "ESCAPE"},   {2, "1"},          {3, "2"},         {4, "3"},          {5, "4"},
    {6, "5"},        {7, "6"},          {8, "7"},         {9, "8"},          {10, "9"},
    {11, "0"},       {12, "MINUS"},     {13, "EQUALS"},   {14, "BACK"},      {15, "TAB"},
    {16, "Q"},       {17, "W"},         {18, "E"},        {19, "R"},         {20, "T"},
    {21, "Y"},       {22, "U"},         {23, "I"},        {24, "O"},         {25, "P"},
    {26, "LBRACKET"}, {27, "RBRACKET"}, {28, "RETURN"},   {29, "LCONTROL"},  {30, "A"},
    {31, "S"},       {32, "D"},         {33, "F"},        {34, "G"},         {35, "H"},
    {36, "J"},       {37, "K"},         {38, "L"},        {39, "SEMICOLON"}, {40, "APOSTROPHE"},
    {41, "GRAVE"},   {42, "LSHIFT"},    {43, "BACKSLASH"}, {44, "Z"},        {45, "X"},
    {46, "C"},       {47, "V"},         {48, "B"},        {49, "N"},         {50, "M"},
    {51, "COMMA"},   {52, "PERIOD"},    {53, "SLASH"},    {54, "RSHIFT"},    {55, "MULTIPLY"},
    {56, "LMENU"},   {57, "SPACE"},     {58, "CAPITAL"},  {59, "F1"},        {60, "F2"},
    {61, "F3"},      {62, "F4"},        {63, "F5"},       {64, "F6"},        {65, "F7"},
    {66, "F8"},      {67, "F9"},        {68, "F10"},      {69, "NUMLOCK"},   {70, "SCROLL"},
    {71, "NUMPAD7"}, {72, "NUMPAD8"},   {73, "NUMPAD9"},  {74, "SUBTRACT"},  {75, "NUMPAD4"},
    {76, "NUMPAD5"}, {77, "NUMPAD6"},   {78, "ADD"},      {79, "NUMPAD1"},   {80, "NUMPAD2"},
    {81, "NUMPAD3"}, {82, "NUMPAD0"},   {83, "DECIMAL"},  {87, "F11"},       {88, "F12"},
    {156, "NUMPADENTER"}, {157, "RCONTROL"}, {181, "DIVIDE"}, {184, "RMENU"}, {199, "HOME"},
    {200, "UP"},     {201, "PRIOR"},    {203, "LEFT"},    {205, "RIGHT"},    {207, "END"},
    {208, "DOWN"},   {209, "NEXT"},     {210, "INSERT"},  {211, "DELETE"},
};
// clang-format on

} // namespace

std::optional<unsigned> ScanCodeOf(std::string_view name)
{
    if (name.empty() || name.size() > 16)
        return std::nullopt;
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    for (const KeyRow &row : kKeys)
        if (upper == row.name)
            return row.scanCode;
    return std::nullopt;
}

std::string KeyName(unsigned scanCode)
{
    for (const KeyRow &row : kKeys)
        if (row.scanCode == scanCode)
            return row.name;
    return std::to_string(scanCode);
}

} // namespace host
