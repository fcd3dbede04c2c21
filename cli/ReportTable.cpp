#include "ReportTable.h"

#include "ReportOptions.h"

#include <charconv>

namespace {

using Json = nlohmann::ordered_json;

// The value at path, or nullptr when some step of it is missing.
const Json* Find(const Json& root, std::string_view path) {
    const Json* at = &root;
    while (at) {
        const size_t dot = path.find('.');
        const std::string_view step = path.substr(0, dot);
        if (at->is_object()) {
            const auto member = at->find(std::string(step));
            at = member == at->end() ? nullptr : &*member;
        } else if (at->is_array()) {
            size_t index = 0;
            const auto [end, error] = std::from_chars(step.data(), step.data() + step.size(), index);
            at = error == std::errc() && end == step.data() + step.size() && index < at->size()
                     ? &(*at)[index]
                     : nullptr;
        } else {
            at = nullptr;
        }
        if (dot == std::string_view::npos)
            break;
        path.remove_prefix(dot + 1);
    }
    return at;
}

std::string Cell(const Json* value) {
    if (!value || value->is_null())
        return {};
    if (value->is_string())
        return value->get<std::string>();
    return value->dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string Row(const std::vector<std::string>& cells) {
    std::string row;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i)
            row += ',';
        row += CsvField(cells[i]);
    }
    return row + "\r\n";
}

} // namespace

std::vector<std::string> TableFields(std::string_view argument) {
    const std::string whole(argument);
    std::vector<std::string> fields;
    for (;;) {
        const size_t comma = argument.find(',');
        const std::string_view field = argument.substr(0, comma);
        if (field.empty() || field.front() == '.' || field.back() == '.' ||
            field.find("..") != std::string_view::npos)
            throw TUsageError{"--table needs field paths such as Machine1.MachineName,OS1.OSName (got '" +
                              whole + "')"};
        fields.emplace_back(field);
        if (comma == std::string_view::npos)
            return fields;
        argument.remove_prefix(comma + 1);
    }
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string TableHeader(const std::vector<std::string>& fields) {
    return Row(fields);
}

std::string TableRow(const Json& report, const std::vector<std::string>& fields) {
    std::vector<std::string> cells;
    for (const std::string& field : fields)
        cells.push_back(Cell(Find(report, field)));
    return Row(cells);
}
