#include "host/trace/trace_json.h"

#include <charconv>
#include <cmath>

#include "sdk/VesselAPI.h"

namespace host {

namespace {

void Number(double value, std::string &out)
{
    if (std::isnan(value)) {
        out += "\"NaN\"";
    } else if (std::isinf(value)) {
        out += value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    } else {
        char buffer[32];
        out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    }
}

void Number(float value, std::string &out)
{
    if (!std::isfinite(value)) {
        Number(double(value), out);
        return;
    }
    char buffer[32];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void Integer(std::int64_t value, std::string &out)
{
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Control characters and bytes above 0x7f are written as \u00XX, so any text makes
// valid JSON.
void String(std::string_view text, std::string &out)
{
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c >= 0x7f) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
    out += '"';
}

void Vector(const VECTOR3 &v, std::string &out)
{
    out += '[';
    Number(v.x, out);
    out += ',';
    Number(v.y, out);
    out += ',';
    Number(v.z, out);
    out += ']';
}

void Handle(const void *raw, const TraceNames &names, std::string &out)
{
    static const char *const kPrefix[] = {"", "th", "thg", "ph", "ac", "mesh:", "vis"};
    if (!raw) {
        out += "null";
        return;
    }
    HandleKind kind = KindOf(raw);
    std::ptrdiff_t index = IndexOf(raw, kind);
    if (kind == HandleKind::None || index < 0) {
        out += "\"unknown\"";
        return;
    }
    if (kind == HandleKind::Mesh) {
        const std::string *name = names.MeshName(const_cast<void *>(raw));
        String("mesh:" + (name ? *name : std::string("?")), out);
        return;
    }
    out += '"';
    out += kPrefix[int(kind)];
    Integer(index, out);
    out += '"';
}

const char *KindName(int kind)
{
    switch (kind) {
    case MGROUP_TRANSFORM::NULLTRANSFORM:
        return "null";
    case MGROUP_TRANSFORM::ROTATE:
        return "rotate";
    case MGROUP_TRANSFORM::TRANSLATE:
        return "translate";
    case MGROUP_TRANSFORM::SCALE:
        return "scale";
    default:
        return nullptr;
    }
}

} // namespace

void TraceJsonWriter::NumberTransforms(const TraceCall &call)
{
    for (const TraceValue &arg : call.args)
        if (const auto *transform = std::get_if<TransformSnapshot>(&arg))
            transformIds_.try_emplace(transform->address, int(transformIds_.size()));
}

void TraceJsonWriter::Transform(const TransformSnapshot &transform, std::string &out)
{
    auto [entry, fresh] = transformIds_.try_emplace(transform.address, int(transformIds_.size()));
    (void)fresh;
    out += "{\"id\":\"tf";
    Integer(entry->second, out);
    out += "\",\"kind\":";
    if (const char *name = KindName(transform.kind))
        String(name, out);
    else
        Integer(transform.kind, out);
    out += ",\"mesh\":";
    Integer(transform.mesh, out);
    out += ",\"groups\":[";
    for (std::size_t i = 0; i < transform.groups.size(); ++i) {
        if (i)
            out += ',';
        Integer(transform.groups[i], out);
    }
    out += "],\"ref\":";
    Vector(transform.ref, out);
    out += ",\"axis\":";
    Vector(transform.axis, out);
    out += ",\"angle\":";
    Number(transform.angle, out);
    out += '}';
}

void TraceJsonWriter::Value(const TraceValue &value, const TraceNames &names, std::string &out)
{
    struct Visitor {
        TraceJsonWriter &writer;
        const TraceNames &names;
        std::string &out;
        void operator()(std::nullptr_t) { out += "null"; }
        void operator()(bool b) { out += b ? "true" : "false"; }
        void operator()(std::int64_t i) { Integer(i, out); }
        void operator()(double d) { Number(d, out); }
        void operator()(const VECTOR3 &v) { Vector(v, out); }
        void operator()(HandleValue h) { Handle(h.raw, names, out); }
        void operator()(VesselRef v)
        {
            const std::string &name = names.VesselName(v.id);
            if (v.id < 0 || name.empty())
                out += "null";
            else
                String("vessel:" + name, out);
        }
        void operator()(const std::string &s) { String(s, out); }
        void operator()(const TransformSnapshot &t) { writer.Transform(t, out); }
    };
    std::visit(Visitor{*this, names, out}, value);
}

void TraceJsonWriter::Append(const TraceCall &call, const TraceNames &names, std::string &out)
{
    out += "{\"step\":";
    Integer(call.step, out);
    out += ",\"t\":";
    Number(call.t, out);
    out += ",\"vessel\":";
    const std::string &name = names.VesselName(call.vessel);
    if (call.vessel < 0 || name.empty())
        out += "null";
    else
        String(name, out);
    out += ",\"call\":";
    String(call.call ? call.call : "", out);
    out += ",\"args\":[";
    for (std::size_t i = 0; i < call.args.size(); ++i) {
        if (i)
            out += ',';
        Value(call.args[i], names, out);
    }
    out += ']';
    if (call.ret) {
        out += ",\"ret\":";
        Value(*call.ret, names, out);
    }
    out += "}\n";
}

} // namespace host
