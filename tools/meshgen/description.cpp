#include "tools/meshgen/description.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace meshgen {

namespace {

constexpr std::size_t kMaxGroups = 4096;
constexpr int kMaxIncludeDepth = 8;

struct Where {
    std::string file;
    std::size_t line = 0;

    [[noreturn]] void Fail(const std::string &expected) const
    {
        throw std::runtime_error(file + ":" + std::to_string(line) + ": expected " + expected);
    }
};

// A part as read, before the * parts are given their groups.
struct Part {
    Where where;
    std::optional<std::size_t> group; // none for *
    std::string label;
    std::size_t material;
    std::vector<Solid> copies;
};

double Number(const Where &where, const std::string &token, const std::string &what)
{
    double value = 0;
    const char *first = token.data(), *last = token.data() + token.size();
    if (!token.empty() && token[0] == '+')
        ++first;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        where.Fail(what + ", found '" + token + "'");
    return value;
}

std::size_t Count(const Where &where, const std::string &token, const std::string &what,
                  std::size_t limit)
{
    std::size_t value = 0;
    auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (token.empty() || error != std::errc() || end != token.data() + token.size() ||
        value >= limit)
        where.Fail(what + " below " + std::to_string(limit) + ", found '" + token + "'");
    return value;
}

Solid Shape(const Where &where, const std::string &shape, const std::vector<double> &n)
{
    try {
        if (shape == "box") {
            if (n.size() != 6)
                where.Fail("box X0 X1 Y0 Y1 Z0 Z1 (6 numbers)");
            return Box({n[0], n[2], n[4]}, {n[1], n[3], n[5]});
        }
        if (shape == "prism") {
            if (n.size() < 8 || n.size() % 2 != 0)
                where.Fail("prism X0 X1 and 3 or more Z Y pairs");
            std::vector<std::array<double, 2>> profile;
            for (std::size_t i = 2; i < n.size(); i += 2)
                profile.push_back({n[i], n[i + 1]});
            return Prism(n[0], n[1], profile);
        }
        if (shape == "cyl") {
            if (n.size() < 7 || n.size() > 9)
                where.Fail("cyl X0 Y0 Z0 X1 Y1 Z1 R0 [R1 [SIDES]]");
            double r1 = n.size() > 7 ? n[7] : n[6];
            double sides = n.size() > 8 ? n[8] : 24;
            if (sides != std::floor(sides))
                where.Fail("a whole number of sides");
            return Cylinder({n[0], n[1], n[2]}, {n[3], n[4], n[5]}, n[6], r1, int(sides));
        }
    } catch (const std::invalid_argument &e) {
        where.Fail(std::string(e.what()) + " for the " + shape);
    }
    where.Fail("a shape (box, prism or cyl), found '" + shape + "'");
}

class Reader {
public:
    void Read(const std::filesystem::path &path, int depth)
    {
        std::ifstream in(path);
        if (!in)
            throw std::runtime_error(path.string() + ": cannot open the description");
        description_.files.push_back(path.string());
        Where where{path.string(), 0};
        std::string text;
        while (std::getline(in, text)) {
            ++where.line;
            if (auto comment = text.find(';'); comment != std::string::npos)
                text.erase(comment);
            std::istringstream words(text);
            std::vector<std::string> tokens;
            for (std::string token; words >> token;)
                tokens.push_back(token);
            if (tokens.empty())
                continue;
            if (tokens[0] == "set") {
                if (tokens.size() != 3)
                    where.Fail("set NAME VALUE");
                variables_[tokens[1]] = tokens[2];
                continue;
            }
            for (std::string &token : tokens)
                if (token.size() > 1 && token[0] == '$') {
                    auto found = variables_.find(token.substr(1));
                    if (found == variables_.end())
                        where.Fail("a name given by an earlier set line, found '" + token + "'");
                    token = found->second;
                }
            if (tokens[0] == "material")
                ReadMaterial(where, tokens);
            else if (tokens[0] == "include") {
                if (tokens.size() != 2)
                    where.Fail("include and one file name");
                if (depth >= kMaxIncludeDepth)
                    where.Fail("includes nested at most " + std::to_string(kMaxIncludeDepth) +
                               " deep");
                Read(path.parent_path() / tokens[1], depth + 1);
            } else
                ReadPart(where, tokens);
        }
    }

    Description Finish() &&
    {
        // Numbered groups first, so that * parts fill the indices left free.
        std::map<std::size_t, Group> byIndex;
        for (Part &part : parts_) {
            if (!part.group)
                continue;
            auto [it, fresh] = byIndex.try_emplace(*part.group);
            Group &group = it->second;
            if (fresh) {
                group.label = part.label;
                group.material = part.material;
            } else if (group.material != part.material) {
                part.where.Fail("material " + description_.materials[group.material].name +
                                " for group " + std::to_string(*part.group) +
                                " (a group has one material)");
            }
            for (const Solid &copy : part.copies)
                group.solid.Append(copy);
        }
        std::size_t next = 0;
        for (Part &part : parts_) {
            if (part.group)
                continue;
            for (std::size_t i = 0; i < part.copies.size(); ++i) {
                while (byIndex.contains(next))
                    ++next;
                if (next >= kMaxGroups)
                    part.where.Fail("at most " + std::to_string(kMaxGroups) + " groups");
                Group &group = byIndex[next];
                group.label =
                    part.copies.size() > 1 ? part.label + "_" + std::to_string(i + 1) : part.label;
                group.material = part.material;
                group.solid = part.copies[i];
            }
        }
        std::string empty;
        std::size_t count = byIndex.empty() ? 0 : byIndex.rbegin()->first + 1;
        for (std::size_t g = 0; g < count; ++g) {
            if (byIndex.contains(g))
                description_.groups.push_back(std::move(byIndex[g]));
            else
                empty += (empty.empty() ? "" : ", ") + std::to_string(g);
        }
        if (!empty.empty())
            throw std::runtime_error(file_ + ": expected a part in every group; empty: " + empty +
                                     " (add * parts)");
        if (count == 0)
            throw std::runtime_error(file_ + ": expected one part or more");
        return std::move(description_);
    }

    explicit Reader(std::string file) : file_(std::move(file)) {}

private:
    void ReadMaterial(const Where &where, const std::vector<std::string> &tokens)
    {
        if (tokens.size() != 5 && tokens.size() != 6)
            where.Fail("material NAME R G B [A]");
        if (MaterialIndex(tokens[1]))
            where.Fail("a new material name, found '" + tokens[1] + "' a second time");
        Material material{tokens[1], {0, 0, 0, 1}};
        for (std::size_t i = 2; i < tokens.size(); ++i) {
            double value = Number(where, tokens[i], "a colour value 0..1");
            if (value < 0 || value > 1)
                where.Fail("a colour value 0..1, found '" + tokens[i] + "'");
            material.diffuse[i - 2] = value;
        }
        description_.materials.push_back(material);
    }

    std::optional<std::size_t> MaterialIndex(const std::string &name) const
    {
        for (std::size_t i = 0; i < description_.materials.size(); ++i)
            if (description_.materials[i].name == name)
                return i;
        return std::nullopt;
    }

    void ReadPart(const Where &where, const std::vector<std::string> &tokens)
    {
        if (tokens.size() < 4)
            where.Fail("GROUP LABEL MATERIAL SHAPE NUMBERS, material or include");
        Part part{where, std::nullopt, tokens[1], 0, {}};
        if (tokens[0] != "*")
            part.group = Count(where, tokens[0], "a group index or *", kMaxGroups);
        auto material = MaterialIndex(tokens[2]);
        if (!material)
            where.Fail("a material named by an earlier material line, found '" + tokens[2] + "'");
        part.material = *material;

        std::vector<double> numbers;
        std::size_t i = 4;
        for (; i < tokens.size() && tokens[i] != "mirror" && tokens[i] != "repeat"; ++i)
            numbers.push_back(Number(where, tokens[i], "a number of the " + tokens[3]));
        Solid solid = Shape(where, tokens[3], numbers);

        bool mirror = false, repeated = false;
        std::size_t repeat = 1;
        Vec step{};
        while (i < tokens.size()) {
            if (tokens[i] == "mirror" && !mirror) {
                mirror = true;
                ++i;
            } else if (tokens[i] == "repeat" && !repeated) {
                if (i + 4 >= tokens.size())
                    where.Fail("repeat N DX DY DZ");
                repeated = true;
                repeat = Count(where, tokens[i + 1], "a repeat count", 1000);
                if (repeat == 0)
                    where.Fail("a repeat count of 1 or more");
                step = {Number(where, tokens[i + 2], "the repeat's x step"),
                        Number(where, tokens[i + 3], "the repeat's y step"),
                        Number(where, tokens[i + 4], "the repeat's z step")};
                i += 5;
            } else {
                where.Fail("mirror or repeat N DX DY DZ after the numbers, found '" + tokens[i] +
                           "'");
            }
        }
        for (std::size_t k = 0; k < repeat; ++k) {
            double n = double(k);
            Solid copy = Moved(solid, {n * step.x, n * step.y, n * step.z});
            part.copies.push_back(copy);
            if (mirror)
                part.copies.push_back(MirroredX(copy));
        }
        parts_.push_back(std::move(part));
    }

    std::string file_;
    std::map<std::string, std::string> variables_;
    Description description_;
    std::vector<Part> parts_;
};

} // namespace

Description ReadDescription(const std::string &path)
{
    Reader reader(path);
    reader.Read(path, 0);
    return std::move(reader).Finish();
}

} // namespace meshgen
