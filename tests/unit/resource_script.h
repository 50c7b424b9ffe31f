// A reader for QXdrv's own resource scripts: just enough of the .rc grammar
// to compare the two languages' string tables and dialog templates.
#ifndef QXDRV_TESTS_RESOURCE_SCRIPT_H
#define QXDRV_TESTS_RESOURCE_SCRIPT_H

#include <fstream>
#include <map>
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

// The numeric #define NAME value lines of resource_ids.h.
inline std::map<std::string, long> ReadDefines(const std::string& text) {
    std::map<std::string, long> defines;
    const std::regex line(R"(^\s*#define\s+(\w+)\s+(\d+)\s*$)");
    std::istringstream in(text);
    for (std::string s; std::getline(in, s);) {
        std::smatch m;
        if (std::regex_match(s, m, line)) defines[m[1]] = std::stol(m[2]);
    }
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

struct ResourceScript {
    std::map<std::string, std::string> strings;  // id name -> text
    // dialog name -> (statement kind, control id) of every control
    std::map<std::string, std::multiset<std::pair<std::string, std::string>>> dialogs;
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

inline ResourceScript ParseResourceScript(const std::string& text) {
    ResourceScript script;
    std::istringstream in(text);
    enum class Block { None, Strings, Dialog } block = Block::None;
    bool inBody = false;
    std::string dialog;
    const std::regex stringEntry(R"(^\s*(\w+)\s+("(?:[^"]|"")*")\s*$)");
    const std::regex dialogHead(R"(^\s*(\w+)\s+DIALOGEX?\b.*)");
    const std::regex statement(R"(^\s*([A-Z]+)\s+(.*)$)");
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = line.substr(0, line.find("//"));
        std::smatch m;
        if (block == Block::None) {
            if (std::regex_search(trimmed, std::regex(R"(^\s*STRINGTABLE\b)"))) {
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
        if (std::regex_search(trimmed, std::regex(R"(^\s*(BEGIN|\{)\s*$)"))) {
            inBody = true;
            continue;
        }
        if (std::regex_search(trimmed, std::regex(R"(^\s*(END|\})\s*$)"))) {
            block = Block::None;
            continue;
        }
        if (!inBody) continue;
        if (block == Block::Strings) {
            if (std::regex_match(trimmed, m, stringEntry))
                script.strings[m[1]] = Unquote(m[2]);
            else if (trimmed.find_first_not_of(" \t") != std::string::npos)
                script.problems.push_back("unread string line: " + line);
        } else if (std::regex_match(trimmed, m, statement)) {
            const std::string kind = m[1];
            const auto args = SplitArgs(m[2]);
            // Controls without a text argument name their id first.
            const bool idFirst = kind == "EDITTEXT" || kind == "COMBOBOX" ||
                                 kind == "LISTBOX" || kind == "SCROLLBAR";
            const std::size_t at = idFirst ? 0 : 1;
            script.dialogs[dialog].insert({kind, at < args.size() ? args[at] : std::string()});
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
