// A reader for QXdrv's own resource scripts: just enough of the .rc grammar
// to compare the two languages' string tables and dialog templates.
#ifndef QXDRV_TESTS_RESOURCE_SCRIPT_H
#define QXDRV_TESTS_RESOURCE_SCRIPT_H

#include <cctype>
#include <fstream>
#include <map>
#include <ostream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace qx::test {

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// #define NAME value lines of resource_ids.h, with one level of aliasing.
// Negative values such as (-1) are not read.
inline std::map<std::string, long> ReadDefines(const std::string& text) {
    std::map<std::string, long> defines;
    std::map<std::string, std::string> aliases;
    const std::regex line(R"(^\s*#define\s+(\w+)\s+(\w+)\s*$)");
    std::istringstream in(text);
    for (std::string s; std::getline(in, s);) {
        std::smatch m;
        if (!std::regex_match(s, m, line)) continue;
        if (std::isdigit(static_cast<unsigned char>(m[2].str()[0])))
            defines[m[1]] = std::stol(m[2]);
        else
            aliases[m[1]] = m[2];
    }
    for (const auto& [name, target] : aliases)
        if (defines.count(target)) defines[name] = defines[target];
    return defines;
}

// One control statement of a dialog template.
struct Control {
    std::string kind;   // statement keyword: LTEXT, AUTORADIOBUTTON, CONTROL...
    std::string id;     // identifier as written
    std::string cls;    // the class CONTROL names (upper case), else the keyword
    std::set<std::string> style;  // style flags given, without the defaults
    int x = 0, y = 0, width = 0, height = 0;  // dialog units, as written
    bool operator==(const Control& o) const {
        return kind == o.kind && id == o.id && cls == o.cls && style == o.style;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Control& c) {
    out << c.kind << ' ' << c.id << " (" << c.cls;
    for (const auto& flag : c.style) out << ' ' << flag;
    return out << ')';
}

struct ResourceScript {
    std::map<std::string, std::string> strings;  // id name -> text as quoted
    std::map<std::string, std::vector<Control>> dialogs;  // in template order
    std::map<std::string, std::set<std::string>> dialogStyles;
    std::vector<std::string> problems;
};

// Arguments split at commas outside quotes, trimmed.
inline std::vector<std::string> SplitArgs(const std::string& args) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : args) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) out.emplace_back();
        else out.back() += c;
    }
    for (auto& s : out) {
        const auto b = s.find_first_not_of(" \t");
        s = b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
    }
    return out;
}

// The flags of a style argument such as "WS_GROUP | NOT WS_TABSTOP".
inline std::set<std::string> StyleFlags(const std::string& arg) {
    std::set<std::string> flags;
    static const std::regex flag(R"((NOT\s+)?(\w+))");
    for (auto it = std::sregex_iterator(arg.begin(), arg.end(), flag); it != std::sregex_iterator(); ++it)
        flags.insert((*it)[1].matched ? "NOT " + (*it)[2].str() : (*it)[2].str());
    return flags;
}

// Reads one control statement (continuation lines already joined):
// CONTROL text, id, class, style, x, y, cx, cy [, exstyle]; the controls
// without a text name their id first; the others: text, id; then x, y, cx,
// cy and the optional style.
inline bool ReadControl(const std::string& kind, const std::vector<std::string>& args, Control& c) {
    static const std::regex idFirst("EDITTEXT|COMBOBOX|LISTBOX|SCROLLBAR");
    static const std::regex textFirst(
        "[LRC]TEXT|ICON|(DEF)?PUSH(BUTTON|BOX)|(AUTO)?(CHECKBOX|RADIOBUTTON|3STATE)|STATE3|GROUPBOX");
    c.kind = c.cls = kind;
    std::size_t at = 0;
    if (kind == "CONTROL") {
        if (args.size() < 8) return false;
        c.cls.clear();
        for (char ch : args[2])
            if (ch != '"') c.cls += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        c.style = StyleFlags(args[3]);
        at = 3;
    } else if (std::regex_match(kind, idFirst) || std::regex_match(kind, textFirst)) {
        at = std::regex_match(kind, idFirst) ? 0 : 1;
        if (args.size() < at + 5) return false;
        if (args.size() > at + 5) c.style = StyleFlags(args[at + 5]);
    } else {
        return false;
    }
    c.id = args[kind == "CONTROL" ? 1 : at];
    int* place[] = {&c.x, &c.y, &c.width, &c.height};
    for (std::size_t i = 0; i < 4 && at + 1 + i < args.size(); ++i) {
        const std::string& a = args[at + 1 + i];
        if (a.empty() || a.find_first_not_of("0123456789") != std::string::npos) break;
        *place[i] = std::stoi(a);
    }
    return true;
}

inline ResourceScript ParseResourceScript(const std::string& text) {
    ResourceScript script;
    const std::regex stringEntry(R"re(^\s*(\w+)\s+"((?:[^"]|"")*)"\s*$)re");
    const std::regex dialogHead(R"(^\s*(\w+)\s+DIALOGEX?\b.*)");
    const std::regex dialogStyle(R"(^\s*STYLE\s+(.*)$)");
    const std::regex statement(R"(^\s*([A-Z0-9]+)\s+(.*)$)");
    const std::regex begin(R"(^\s*(BEGIN|\{)\s*$)"), end(R"(^\s*(END|\})\s*$)");
    // A statement goes on when its line ends in a comma or a |, or the next
    // line begins with a |.
    const std::regex continues(R"([,|]\s*$)"), continuation(R"(^\s*\|)");
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = line.substr(0, line.find("//"));
        if (!lines.empty() && (std::regex_search(lines.back(), continues) ||
                               std::regex_search(line, continuation)))
            lines.back() += " " + line;
        else
            lines.push_back(line);
    }
    enum class Block { None, Strings, Dialog } block = Block::None;
    bool inBody = false;
    std::string dialog;
    for (const std::string& line : lines) {
        std::smatch m;
        const bool blank = line.find_first_not_of(" \t") == std::string::npos;
        if (block == Block::None) {
            if (std::regex_search(line, std::regex(R"(^\s*STRINGTABLE\b)"))) {
                block = Block::Strings;
            } else if (std::regex_match(line, m, dialogHead)) {
                block = Block::Dialog;
                dialog = m[1];
                script.dialogs[dialog];
            }
            inBody = false;
        } else if (std::regex_search(line, begin)) {
            inBody = true;
        } else if (std::regex_search(line, end)) {
            block = Block::None;
        } else if (!inBody) {
            if (block == Block::Dialog && std::regex_match(line, m, dialogStyle))
                script.dialogStyles[dialog] = StyleFlags(m[1]);
        } else if (block == Block::Strings) {
            if (std::regex_match(line, m, stringEntry)) {
                // "" is one quote; backslash escapes stay as written.
                const std::string quoted = std::regex_replace(m[2].str(), std::regex("\"\""), "\"");
                if (!script.strings.emplace(m[1], quoted).second)
                    script.problems.push_back("string id used twice: " + m[1].str());
            } else if (!blank) {
                script.problems.push_back("unread string line: " + line);
            }
        } else if (std::regex_match(line, m, statement)) {
            Control control;
            if (ReadControl(m[1], SplitArgs(m[2]), control))
                script.dialogs[dialog].push_back(control);
            else
                script.problems.push_back("unread control in " + dialog + ": " + line);
        } else if (!blank) {
            script.problems.push_back("unread line in " + dialog + ": " + line);
        }
    }
    return script;
}

// The insertions a text expects: %1..%9 and printf conversions.
inline std::multiset<std::string> Insertions(const std::string& text) {
    std::multiset<std::string> out;
    const std::regex insertion(R"(%([1-9]|[-+ #0]*\d*(?:\.\d+)?[dsfuxXc]))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), insertion); it != std::sregex_iterator(); ++it)
        out.insert(it->str());
    return out;
}

}  // namespace qx::test

#endif
