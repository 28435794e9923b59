#include "host/scenario/scenario.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <unordered_map>

#include "host/base/host_error.h"

namespace host {

namespace {

constexpr std::size_t kMaxNameLength = 64;
constexpr std::size_t kMaxDescriptionBytes = 16 << 10;
constexpr double kMaxCoordinate = 1e7; // m
constexpr double kMaxTime = 1e9;       // s
constexpr double kMaxStep = 1.0;       // s: the mechanisms move by whole steps
constexpr double kMaxAirspeed = 1e6;   // m/s

// A token as an error message shows it: printable, short.
std::string Quote(std::string_view token)
{
    std::string out = "'";
    for (std::size_t i = 0; i < token.size() && i < 40; ++i) {
        unsigned char c = static_cast<unsigned char>(token[i]);
        if (c >= 0x20 && c < 0x7f) {
            out += char(c);
        } else {
            static const char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    if (token.size() > 40)
        out += "...";
    return out + "'";
}

std::string Decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string_view Trim(std::string_view text)
{
    std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(" \t") + 1 - start);
}

bool IsNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

bool IsName(std::string_view text)
{
    if (text.empty() || text.size() > kMaxNameLength || text == "." || text == "..")
        return false;
    return std::ranges::all_of(text, IsNameCharacter);
}

class Parser {
public:
    Parser(std::string_view text, const std::string &file) : text_(text) { scenario_.file = file; }

    Scenario Parse();

private:
    enum class Section { None, Description, Environment, Focus, Ships, Ship, Input };

    [[noreturn]] void Fail(const std::string &message) const { FailAt(line_, message); }
    [[noreturn]] void FailAt(int line, const std::string &message) const
    {
        throw Error(scenario_.file + ":" + std::to_string(line) + ": " + message);
    }

    bool NextLine();
    void Tokenize();
    const std::string_view &Token(std::size_t i, const char *expected) const;
    void ExpectEnd(std::size_t count) const;
    double Number(std::size_t i, const char *expected) const;
    double NumberIn(std::size_t i, double low, double high, const char *expected) const;
    bool Switch(std::size_t i) const;
    void Once(std::string_view setting);

    void Top();
    void Environment();
    void Focus();
    void Ships();
    void Ship();
    void Input();
    void Event(double time, std::string_view vesselName);
    void Finish();

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 0;
    std::string_view raw_; // the current line without its end
    std::vector<std::string_view> tokens_;
    Section section_ = Section::None;
    int sectionLine_[7] = {}; // where each section opened; 0: not yet
    // Where each setting was given, to refuse it a second time: the environment's,
    // the focus's and the current ship's.
    std::vector<std::pair<std::string_view, int>> settingLines_;

    Scenario scenario_;
    int durationLine_ = 0;
    std::string focusName_;
    int focusLine_ = 0;
    // Ship indices by name, pointing into the scenario text; event vessels as written,
    // resolved at the end.
    std::unordered_map<std::string_view, int> shipByName_;
    std::vector<std::string_view> eventVessels_;
    double lastTime_ = 0;
    int lastTimeLine_ = 0;
};

bool Parser::NextLine()
{
    if (pos_ >= text_.size())
        return false;
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos)
        end = text_.size();
    raw_ = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    ++line_;
    if (!raw_.empty() && raw_.back() == '\r')
        raw_.remove_suffix(1);
    if (raw_.size() > kMaxLineLength)
        Fail("expected a line of at most " + std::to_string(kMaxLineLength) + " characters");
    return true;
}

void Parser::Tokenize()
{
    tokens_.clear();
    std::string_view rest = raw_.substr(0, raw_.find(';'));
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < rest.size() && rest[i] != ' ' && rest[i] != '\t')
            ++i;
        if (i > start)
            tokens_.push_back(rest.substr(start, i - start));
    }
}

const std::string_view &Parser::Token(std::size_t i, const char *expected) const
{
    if (i >= tokens_.size())
        Fail(std::string("expected ") + expected + " at the end of the line");
    return tokens_[i];
}

void Parser::ExpectEnd(std::size_t count) const
{
    if (tokens_.size() > count)
        Fail("unexpected " + Quote(tokens_[count]) + " after " + Quote(tokens_[count - 1]) +
             "; expected the end of the line");
}

double Parser::Number(std::size_t i, const char *expected) const
{
    std::string_view token = Token(i, expected);
    double value = 0;
    auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || end != token.data() + token.size() || !std::isfinite(value))
        Fail(std::string("expected ") + expected + ", found " + Quote(token));
    return value;
}

double Parser::NumberIn(std::size_t i, double low, double high, const char *expected) const
{
    double value = Number(i, expected);
    if (value < low || value > high)
        Fail(std::string("expected ") + expected + ", found " + Quote(tokens_[i]));
    return value;
}

// A setting holds one value: given again, the error names both lines.
void Parser::Once(std::string_view setting)
{
    for (const auto &[name, line] : settingLines_)
        if (name == setting)
            Fail("a second " + std::string(setting) + " (the first is on line " +
                 std::to_string(line) + "); expected each setting once");
    settingLines_.emplace_back(setting, line_);
}

bool Parser::Switch(std::size_t i) const
{
    std::string_view token = Token(i, "ON or OFF");
    if (token == "ON")
        return true;
    if (token == "OFF")
        return false;
    Fail("expected ON or OFF, found " + Quote(token));
}

Scenario Parser::Parse()
{
    if (text_.size() > kMaxScenarioBytes)
        FailAt(1, "expected a scenario of at most " + std::to_string(kMaxScenarioBytes) + " bytes");
    // A UTF-8 byte-order mark, as some editors write, is no part of the first line.
    if (text_.substr(0, 3) == "\xEF\xBB\xBF")
        pos_ = 3;
    while (NextLine()) {
        if (section_ == Section::Description) {
            if (Trim(raw_) == "END_DESC") {
                section_ = Section::None;
                continue;
            }
            std::string_view kept = raw_.substr(0, raw_.find_last_not_of(" \t") + 1);
            if (scenario_.description.size() + kept.size() >= kMaxDescriptionBytes)
                Fail("expected a description of at most " + std::to_string(kMaxDescriptionBytes) +
                     " bytes");
            scenario_.description.append(kept);
            scenario_.description += '\n';
            continue;
        }
        Tokenize();
        if (tokens_.empty())
            continue;
        switch (section_) {
        case Section::None:
            Top();
            break;
        case Section::Environment:
            Environment();
            break;
        case Section::Focus:
            Focus();
            break;
        case Section::Ships:
            Ships();
            break;
        case Section::Ship:
            Ship();
            break;
        case Section::Input:
            Input();
            break;
        case Section::Description:
            break;
        }
    }
    static const char *const kEnds[] = {"",          "END_DESC", "END_ENVIRONMENT", "END_FOCUS",
                                        "END_SHIPS", "END",      "END_INPUT"};
    if (section_ != Section::None)
        Fail(std::string("expected ") + kEnds[int(section_)] + " before the end of the file");
    Finish();
    return std::move(scenario_);
}

void Parser::Top()
{
    struct Opening {
        const char *keyword;
        Section section;
    };
    static const Opening kSections[] = {
        {"BEGIN_DESC", Section::Description}, {"BEGIN_ENVIRONMENT", Section::Environment},
        {"BEGIN_FOCUS", Section::Focus},      {"BEGIN_SHIPS", Section::Ships},
        {"BEGIN_INPUT", Section::Input},
    };
    for (const Opening &opening : kSections) {
        if (tokens_[0] != opening.keyword)
            continue;
        ExpectEnd(1);
        int &first = sectionLine_[int(opening.section)];
        if (first)
            Fail(std::string("a second ") + opening.keyword + " section (the first is on line " +
                 std::to_string(first) + "); expected each section once");
        first = line_;
        section_ = opening.section;
        return;
    }
    Fail("expected BEGIN_DESC, BEGIN_ENVIRONMENT, BEGIN_FOCUS, BEGIN_SHIPS or BEGIN_INPUT, "
         "found " +
         Quote(tokens_[0]));
}

void Parser::Environment()
{
    std::string_view key = tokens_[0];
    if (key == "STEP" || key == "DURATION" || key == "SOUND" || key == "PHYSICS")
        Once(key);
    if (key == "END_ENVIRONMENT") {
        ExpectEnd(1);
        section_ = Section::None;
    } else if (key == "STEP") {
        scenario_.step = Number(1, "a step length in seconds");
        if (scenario_.step <= 0 || scenario_.step > kMaxStep)
            Fail("expected a step length above 0 and at most 1 s, found " + Quote(tokens_[1]));
        ExpectEnd(2);
    } else if (key == "DURATION") {
        scenario_.duration = NumberIn(1, 0, kMaxTime, "a duration in seconds from 0 to 1e9");
        durationLine_ = line_;
        ExpectEnd(2);
    } else if (key == "SOUND") {
        scenario_.sound = Switch(1);
        ExpectEnd(2);
    } else if (key == "PHYSICS") {
        scenario_.physics = Switch(1);
        ExpectEnd(2);
    } else {
        Fail("expected STEP, DURATION, SOUND, PHYSICS or END_ENVIRONMENT, found " + Quote(key));
    }
}

void Parser::Focus()
{
    if (tokens_[0] == "END_FOCUS") {
        ExpectEnd(1);
        section_ = Section::None;
    } else if (tokens_[0] == "Ship") {
        Once("Ship");
        focusName_ = std::string(Token(1, "the name of the focus vessel"));
        focusLine_ = line_;
        ExpectEnd(2);
    } else {
        Fail("expected 'Ship NAME' or END_FOCUS, found " + Quote(tokens_[0]));
    }
}

void Parser::Ships()
{
    if (tokens_[0] == "END_SHIPS") {
        ExpectEnd(1);
        section_ = Section::None;
        return;
    }
    std::string_view declaration = tokens_[0];
    std::size_t colon = declaration.find(':');
    if (colon == std::string_view::npos)
        Fail("expected a ship as NAME:CLASS or END_SHIPS, found " + Quote(declaration));
    std::string_view name = declaration.substr(0, colon);
    std::string_view className = declaration.substr(colon + 1);
    for (std::string_view part : {name, className})
        if (part.size() > kMaxNameLength)
            Fail("expected a name of at most " + std::to_string(kMaxNameLength) +
                 " characters, found " + std::to_string(part.size()) + " in " + Quote(part));
    if (!IsName(name) || name == "FOCUS")
        Fail("expected a ship name of letters, digits, '_', '-' or '.' (not FOCUS), found " +
             Quote(name));
    if (!IsName(className) || className.find('.') != std::string_view::npos)
        Fail("expected a class name of letters, digits, '_' or '-', found " + Quote(className));
    ExpectEnd(1);
    auto [first, isNew] = shipByName_.try_emplace(name, int(scenario_.ships.size()));
    if (!isNew)
        Fail("a second ship named " + Quote(name) + " (the first is on line " +
             std::to_string(scenario_.ships[first->second].line) + "); expected unique names");
    ScenarioShip ship;
    ship.name = std::string(name);
    ship.className = std::string(className);
    ship.line = line_;
    scenario_.ships.push_back(std::move(ship));
    std::erase_if(settingLines_, [](const auto &setting) {
        return setting.first == "POS" || setting.first == "HEADING";
    });
    section_ = Section::Ship;
}

void Parser::Ship()
{
    ScenarioShip &ship = scenario_.ships.back();
    std::string_view key = tokens_[0];
    if (key == "POS" || key == "HEADING")
        Once(key);
    if (key == "END") {
        ExpectEnd(1);
        section_ = Section::Ships;
    } else if (key == "POS") {
        ship.x = NumberIn(1, -kMaxCoordinate, kMaxCoordinate, "x in metres from -1e7 to 1e7");
        ship.z = NumberIn(2, -kMaxCoordinate, kMaxCoordinate, "z in metres from -1e7 to 1e7");
        ExpectEnd(3);
    } else if (key == "HEADING") {
        ship.heading = NumberIn(1, -360, 360, "a heading in degrees from -360 to 360");
        ExpectEnd(2);
    } else {
        Fail("expected POS, HEADING or END, found " + Quote(key));
    }
}

void Parser::Input()
{
    if (tokens_[0] == "END_INPUT") {
        ExpectEnd(1);
        section_ = Section::None;
        return;
    }
    double time = NumberIn(0, 0, kMaxTime, "a time in seconds from 0 to 1e9, or END_INPUT");
    if (time < lastTime_)
        Fail("time " + Quote(tokens_[0]) + " goes back before the time of line " +
             std::to_string(lastTimeLine_) + "; expected times in order");
    lastTime_ = time;
    lastTimeLine_ = line_;
    if (scenario_.events.size() >= kMaxEvents)
        Fail("expected at most " + std::to_string(kMaxEvents) + " input lines");
    Event(time, Token(1, "a vessel name or FOCUS"));
}

void Parser::Event(double time, std::string_view vesselName)
{
    ScenarioEvent event;
    event.time = time;
    event.line = line_;
    std::size_t next = 3;
    if (vesselName == "FOCUS") {
        event.action = InputAction::Focus;
        vesselName = Token(2, "the name of the vessel to focus");
        ExpectEnd(3);
        scenario_.events.push_back(event);
        eventVessels_.push_back(vesselName);
        return;
    }
    std::string_view action = Token(2, "an action (MAIN, RETRO, YAW, KEY, VISUAL, AIRSPEED, "
                                       "AIRVEC or GROUND)");
    bool holds = true; // the action takes FOR N
    if (action == "MAIN" || action == "RETRO") {
        event.action = action == "MAIN" ? InputAction::Main : InputAction::Retro;
        event.value[0] = NumberIn(3, 0, 1, "a throttle level from 0 to 1");
        next = 4;
    } else if (action == "YAW") {
        event.action = InputAction::Yaw;
        event.value[0] = NumberIn(3, -1, 1, "a yaw level from -1 to 1");
        next = 4;
    } else if (action == "AIRSPEED") {
        event.action = InputAction::Airspeed;
        event.value[0] = NumberIn(3, 0, kMaxAirspeed, "an airspeed in m/s from 0 to 1e6");
        next = 4;
    } else if (action == "AIRVEC") {
        event.action = InputAction::AirVector;
        const char *const kAxes[] = {"the vector's x in m/s from -1e6 to 1e6",
                                     "the vector's y in m/s from -1e6 to 1e6",
                                     "the vector's z in m/s from -1e6 to 1e6"};
        for (int i = 0; i < 3; ++i)
            event.value[i] = NumberIn(3 + i, -kMaxAirspeed, kMaxAirspeed, kAxes[i]);
        next = 6;
    } else if (action == "KEY") {
        event.action = InputAction::Key;
        std::string_view key = Token(3, "a key name or scan code");
        std::optional<unsigned> code;
        unsigned number = 0;
        bool hex = key.size() > 2 && key[0] == '0' && (key[1] == 'x' || key[1] == 'X');
        const char *digits = key.data() + (hex ? 2 : 0);
        auto [end, error] = std::from_chars(digits, key.data() + key.size(), number, hex ? 16 : 10);
        if (key.size() > 1 && error == std::errc() && end == key.data() + key.size())
            code = number;
        else
            code = ScanCodeOf(key);
        if (!code || *code < 1 || *code > 255)
            Fail("expected a key name (1 2 5 6 7 8 W D K SPACE F1 ...) or a scan code from 1 "
                 "to 255 (two digits or more, as 37 or 0x25), found " +
                 Quote(key));
        event.key = *code;
        next = 4;
        holds = false;
    } else if (action == "VISUAL" || action == "GROUND") {
        event.action = action == "VISUAL" ? InputAction::Visual : InputAction::Ground;
        event.on = Switch(3);
        next = 4;
        holds = false;
    } else {
        Fail("expected an action (MAIN, RETRO, YAW, KEY, VISUAL, AIRSPEED, AIRVEC or GROUND), "
             "found " +
             Quote(action));
    }
    if (next < tokens_.size() && tokens_[next] == "FOR") {
        if (!holds)
            Fail("FOR applies to MAIN, RETRO, YAW, AIRSPEED and AIRVEC, not to " + Quote(action));
        double span = Number(next + 1, "a time span in seconds after FOR");
        if (span <= 0 || span > kMaxTime)
            Fail("expected a time span above 0 s and at most 1e9 s after FOR, found " +
                 Quote(tokens_[next + 1]));
        event.holdFor = span;
        next += 2;
    }
    ExpectEnd(next);
    scenario_.events.push_back(event);
    eventVessels_.push_back(vesselName);
}

void Parser::Finish()
{
    auto shipIndex = [&](std::string_view name) {
        auto found = shipByName_.find(name);
        return found == shipByName_.end() ? -1 : found->second;
    };
    auto known = [&] {
        std::string names;
        for (std::size_t i = 0; i < scenario_.ships.size() && i < 8; ++i)
            names += (i ? ", " : "") + scenario_.ships[i].name;
        if (scenario_.ships.size() > 8)
            names += ", ...";
        return names;
    };
    if (scenario_.ships.empty()) // an empty file still has a line 1
        FailAt(std::max(line_, 1), "expected at least one ship in a BEGIN_SHIPS section");
    if (!focusName_.empty()) {
        scenario_.focus = shipIndex(focusName_);
        if (scenario_.focus < 0)
            FailAt(focusLine_, "unknown focus vessel " + Quote(focusName_) +
                                   "; expected a ship of BEGIN_SHIPS (" + known() + ")");
    }
    if (scenario_.StepCount() > kMaxSteps)
        FailAt(durationLine_ ? durationLine_ : 1,
               "expected at most " + std::to_string(kMaxSteps) +
                   " steps; the duration over the step length gives more");
    // Events are delivered before a step that starts at or after them; later ones never
    // are.
    const double lastStart = double(scenario_.StepCount() - 1) * scenario_.step;
    const double lastDue = DueBy(lastStart, scenario_.step);
    const auto late =
        std::find_if(scenario_.events.begin(), scenario_.events.end(),
                     [&](const ScenarioEvent &event) { return event.time > lastDue; });
    if (late != scenario_.events.end()) {
        std::size_t after = std::size_t(scenario_.events.end() - late) - 1;
        std::string which = "input at " + Decimal(late->time) + " s" +
                            (after ? " and " + std::to_string(after) + " more come" : " comes");
        scenario_.warnings.push_back(scenario_.file + ":" + std::to_string(late->line) + ": " +
                                     which + " after the last step starts (" + Decimal(lastStart) +
                                     " s, DURATION " + Decimal(scenario_.duration) +
                                     " s), so the run never " + "delivers " +
                                     (after ? "them" : "it"));
    }
    for (std::size_t i = 0; i < scenario_.events.size(); ++i) {
        ScenarioEvent &event = scenario_.events[i];
        event.vessel = shipIndex(eventVessels_[i]);
        if (event.vessel < 0)
            FailAt(event.line, "unknown vessel " + Quote(eventVessels_[i]) +
                                   "; expected a ship of BEGIN_SHIPS (" + known() + ")");
        bool scripted = event.action == InputAction::Airspeed ||
                        event.action == InputAction::AirVector ||
                        event.action == InputAction::Ground;
        if (scripted && scenario_.physics)
            FailAt(event.line, "AIRSPEED, AIRVEC and GROUND script the readings; expected "
                               "PHYSICS OFF in BEGIN_ENVIRONMENT");
    }
}

} // namespace

std::int64_t Scenario::StepCount() const
{
    // A hair of tolerance, so that 30 s in steps of 0.02 s is 1500 steps, not 1501.
    double steps = std::ceil(duration / step - 1e-9);
    return steps < 0 ? 0 : steps > 1e15 ? std::int64_t(1e15) : std::int64_t(steps);
}

Scenario ParseScenario(std::string_view text, const std::string &file)
{
    return Parser(text, file).Parse();
}

Scenario LoadScenario(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(path + ": cannot be read; expected a scenario file");
    std::string text;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, std::size_t(in.gcount()));
        if (text.size() > kMaxScenarioBytes)
            throw Error(path + ":1: expected a scenario of at most " +
                        std::to_string(kMaxScenarioBytes) + " bytes");
    }
    if (in.bad())
        throw Error(path + ": cannot be read; expected a scenario file");
    return ParseScenario(text, path);
}

void CheckClasses(const Scenario &scenario, const std::vector<std::string> &classes,
                  const std::string &moduleDirectory)
{
    for (const ScenarioShip &ship : scenario.ships) {
        bool found = false;
        for (const std::string &c : classes)
            found = found || c == ship.className;
        if (found)
            continue;
        std::string present;
        for (const std::string &c : classes)
            present += (present.empty() ? "" : ", ") + c;
        throw Error(scenario.file + ":" + std::to_string(ship.line) + ": unknown class " +
                    Quote(ship.className) + "; expected a class with a module in " +
                    moduleDirectory + " (" + (present.empty() ? "none there" : present) + ")");
    }
}

} // namespace host
