// A reader for QXdrv's own resource scripts: just enough of the .rc grammar
// to compare the two languages' string tables and dialog templates.
#ifndef QXDRV_TESTS_RESOURCE_SCRIPT_H
#define QXDRV_TESTS_RESOURCE_SCRIPT_H

#include <algorithm>
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
    std::regex line(R"(^\s*#define\s+(\w+)\s+(\w+)\s*$)");
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

// Undoes the script's quoting: "" is one quote; backslash escapes stay as
// written, which is all the comparison needs.
inline std::string Unquote(const std::string& quoted) {
    std::string out;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        out += quoted[i];
        if (quoted[i] == '"' && quoted[i + 1] == '"') ++i;
    }
    return out;
}

// One control statement of a dialog template.
struct Control {
    std::string kind;   // statement keyword: LTEXT, AUTORADIOBUTTON, CONTROL...
    std::string id;     // identifier as written
    std::string cls;    // window class: the one CONTROL names, else the keyword's
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
    std::map<std::string, std::string> strings;  // id name -> text
    // dialog name -> its controls, in template order
    std::map<std::string, std::vector<Control>> dialogs;
    // dialog name -> its STYLE flags
    std::map<std::string, std::set<std::string>> dialogStyles;
    std::vector<std::string> problems;
};

inline std::vector<std::string> SplitArgs(const std::string& args) {
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false;
    for (char c : args) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    out.push_back(cur);
    for (auto& s : out) {
        const auto b = s.find_first_not_of(" \t");
        const auto e = s.find_last_not_of(" \t\r");
        s = b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
    }
    return out;
}

// The flags of a style argument such as "WS_GROUP | NOT WS_TABSTOP".
inline std::set<std::string> StyleFlags(const std::string& arg) {
    std::set<std::string> flags;
    static const std::regex flag(R"((NOT\s+)?(\w+))");
    for (auto it = std::sregex_iterator(arg.begin(), arg.end(), flag);
         it != std::sregex_iterator(); ++it)
        flags.insert((*it)[1].matched ? "NOT " + (*it)[2].str() : (*it)[2].str());
    return flags;
}

// The window class behind a control statement, as the resource compiler
// picks it; CONTROL names its own.
inline std::string ControlClass(const std::string& kind) {
    static const std::map<std::string, std::string> classes{
        {"LTEXT", "STATIC"}, {"RTEXT", "STATIC"}, {"CTEXT", "STATIC"}, {"ICON", "STATIC"},
        {"PUSHBUTTON", "BUTTON"}, {"DEFPUSHBUTTON", "BUTTON"}, {"CHECKBOX", "BUTTON"},
        {"AUTOCHECKBOX", "BUTTON"}, {"STATE3", "BUTTON"}, {"AUTO3STATE", "BUTTON"},
        {"RADIOBUTTON", "BUTTON"}, {"AUTORADIOBUTTON", "BUTTON"}, {"GROUPBOX", "BUTTON"},
        {"PUSHBOX", "BUTTON"}, {"EDITTEXT", "EDIT"}, {"COMBOBOX", "COMBOBOX"},
        {"LISTBOX", "LISTBOX"}, {"SCROLLBAR", "SCROLLBAR"}};
    const auto it = classes.find(kind);
    return it == classes.end() ? std::string() : it->second;
}

// x, y, cx, cy from args[at] on; a place that is not four numbers stays 0.
inline void ReadPlace(const std::vector<std::string>& args, std::size_t at, Control& control) {
    int* fields[] = {&control.x, &control.y, &control.width, &control.height};
    for (std::size_t i = 0; i < 4 && at + i < args.size(); ++i) {
        const std::string& a = args[at + i];
        if (a.empty() || a.find_first_not_of("0123456789") != std::string::npos) return;
        *fields[i] = std::stoi(a);
    }
}

// Reads one control statement (continuation lines already joined).
inline bool ReadControl(const std::string& kind, const std::vector<std::string>& args,
                        Control& control) {
    control.kind = kind;
    if (kind == "CONTROL") {
        // CONTROL text, id, class, style, x, y, cx, cy [, exstyle]
        if (args.size() < 8) return false;
        control.id = args[1];
        control.cls = args[2];
        control.cls.erase(std::remove(control.cls.begin(), control.cls.end(), '"'),
                          control.cls.end());
        for (auto& c : control.cls) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        control.style = StyleFlags(args[3]);
        ReadPlace(args, 4, control);
        return true;
    }
    control.cls = ControlClass(kind);
    if (control.cls.empty()) return false;
    // Controls without a text argument name their id first; then come
    // x, y, cx, cy and the optional style.
    const bool idFirst = kind == "EDITTEXT" || kind == "COMBOBOX" ||
                         kind == "LISTBOX" || kind == "SCROLLBAR";
    const std::size_t at = idFirst ? 0 : 1;
    if (args.size() < at + 5) return false;
    control.id = args[at];
    ReadPlace(args, at + 1, control);
    if (args.size() > at + 5) control.style = StyleFlags(args[at + 5]);
    return true;
}

inline ResourceScript ParseResourceScript(const std::string& text) {
    ResourceScript script;
    std::istringstream in(text);
    enum class Block { None, Strings, Dialog } block = Block::None;
    bool inBody = false;
    std::string dialog;
    const std::regex stringEntry(R"(^\s*(\w+)\s+("(?:[^"]|"")*")\s*$)");
    const std::regex dialogHead(R"(^\s*(\w+)\s+DIALOGEX?\b.*)");
    const std::regex dialogStyle(R"(^\s*STYLE\s+(.*)$)");
    const std::regex statement(R"(^\s*([A-Z0-9]+)\s+(.*)$)");
    // A statement goes on when its line ends in a comma or a | or the next
    // line begins with a |.
    const std::regex continues(R"([,|]\s*$)");
    const std::regex continuation(R"(^\s*\|)");
    const std::regex stringTable(R"(^\s*STRINGTABLE\b)");
    const std::regex begin(R"(^\s*(BEGIN|\{)\s*$)");
    const std::regex end(R"(^\s*(END|\})\s*$)");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = line.substr(0, line.find("//"));
        if (!lines.empty() && (std::regex_search(lines.back(), continues) ||
                               std::regex_search(line, continuation)))
            lines.back() += " " + line;
        else
            lines.push_back(line);
    }
    for (const std::string& trimmed : lines) {
        std::smatch m;
        if (block == Block::None) {
            if (std::regex_search(trimmed, stringTable)) {
                block = Block::Strings;
                inBody = false;
            } else if (std::regex_match(trimmed, m, dialogHead)) {
                block = Block::Dialog;
                dialog = m[1];
                script.dialogs[dialog];
                inBody = false;
            }
            continue;
        }
        if (std::regex_search(trimmed, begin)) {
            inBody = true;
            continue;
        }
        if (std::regex_search(trimmed, end)) {
            block = Block::None;
            continue;
        }
        if (!inBody) {
            if (block == Block::Dialog && std::regex_match(trimmed, m, dialogStyle))
                script.dialogStyles[dialog] = StyleFlags(m[1]);
            continue;
        }
        if (block == Block::Strings) {
            if (std::regex_match(trimmed, m, stringEntry)) {
                if (!script.strings.emplace(m[1], Unquote(m[2])).second)
                    script.problems.push_back("string id used twice: " + m[1].str());
            } else if (trimmed.find_first_not_of(" \t") != std::string::npos) {
                script.problems.push_back("unread string line: " + trimmed);
            }
        } else if (std::regex_match(trimmed, m, statement)) {
            Control control;
            if (ReadControl(m[1], SplitArgs(m[2]), control))
                script.dialogs[dialog].push_back(control);
            else
                script.problems.push_back("unread control in " + dialog + ": " + trimmed);
        } else if (trimmed.find_first_not_of(" \t") != std::string::npos) {
            script.problems.push_back("unread line in " + dialog + ": " + trimmed);
        }
    }
    return script;
}

// The insertions a text expects: %1..%9 and printf conversions, in order.
inline std::multiset<std::string> Insertions(const std::string& text) {
    std::multiset<std::string> out;
    const std::regex insertion(R"(%([1-9]|[-+ #0]*\d*(?:\.\d+)?[dsfuxXc]))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), insertion);
         it != std::sregex_iterator(); ++it)
        out.insert(it->str());
    return out;
}

}  // namespace qx::test

#endif
