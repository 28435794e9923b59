#include "tools/vesselhost/report_page.h"

#include <map>

#include <nlohmann/json.hpp>

#include "tools/vesselhost/channel_names.h"
#include "tools/vesselhost/report_encoding.h"
#include "tools/vesselhost/report_scene.h"

namespace vesselhost {

namespace {

using nlohmann::json;

std::string EscapeHtml(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// JSON inside a script element, with every `<` written as \u003c: nothing in a text
// of the run ("</script", "<!--" with "<script") can end the element or turn the rest
// of the page into script.
std::string ScriptJson(const json &value)
{
    std::string text = value.dump(-1, ' ', true, json::error_handler_t::replace);
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c == '<')
            out += "\\u003c";
        else
            out += c;
    return out;
}

json Channels(const VesselRecord &record, ByteBlock &block)
{
    json channels = json::array();
    for (std::size_t c = 0; c < record.channels.size(); ++c) {
        EncodedColumn column = EncodeColumn(record.channels[c]);
        json row = {{"name", record.channelNames[c]}, {"min", column.min}, {"max", column.max}};
        if (!column.deltas.empty())
            row["codes"] = block.Add(column.deltas);
        channels.push_back(std::move(row));
    }
    return channels;
}

} // namespace

std::string ReportPage(const ReportRun &run)
{
    ByteBlock block;
    json meta;
    meta["scenario"] = run.scenario.file;
    meta["description"] = run.scenario.description;
    meta["step"] = run.scenario.step;
    meta["duration"] = run.scenario.duration;
    meta["steps"] = run.scenario.StepCount();
    meta["focus"] = run.focus;
    meta["times"] = block.Add(run.recorder.Times());

    std::map<std::string, std::size_t> classIndex;
    json classes = json::array(), vessels = json::array();
    for (const auto &vessel : run.vessels) {
        const VesselRecord *record = run.recorder.RecordOf(*vessel);
        if (!record)
            continue;
        auto [found, added] = classIndex.emplace(vessel->className, classes.size());
        if (added) {
            json scene = ClassScene(*vessel, block);
            scene["name"] = vessel->className;
            scene["animations"] = AnimationNames(*vessel);
            classes.push_back(std::move(scene));
        }
        json keys = json::array();
        for (const KeyPress &key : record->keys)
            keys.push_back({{"t", key.t}, {"key", key.key}, {"taken", key.taken}});
        const VesselStats *stats = run.summary.StatsOf(*vessel);
        json engineStart = stats && stats->engineStart ? json(*stats->engineStart) : json();
        vessels.push_back({{"name", vessel->name},
                           {"class", found->second},
                           {"summary", run.summary.Text(*vessel)},
                           {"engineStart", engineStart},
                           {"keys", std::move(keys)},
                           {"channels", Channels(*record, block)}});
    }
    meta["classes"] = std::move(classes);
    meta["vessels"] = std::move(vessels);

    std::string title = "vesselhost report: " + run.scenario.file;
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>" +
                       EscapeHtml(title) + "</title>\n<style>\n";
    page += ReportStyle();
    page += "</style>\n</head>\n<body>\n<script type=\"application/json\" id=\"report-meta\">";
    page += ScriptJson(meta);
    page += "</script>\n<script type=\"text/plain\" id=\"report-data\">";
    page += Base64(Deflate(block.Bytes()));
    page += "</script>\n<script>\n";
    page += ReportScript();
    page += "</script>\n</body>\n</html>\n";
    return page;
}

} // namespace vesselhost
