#include "app/HeadlessScript.h"

#include <charconv>
#include <map>
#include <sstream>

#include "display/Utf8.h"
#include "platform/VirtualKeys.h"

namespace ik {

namespace {

const std::map<std::string, ScriptKey>& namedKeys() {
    static const std::map<std::string, ScriptKey> keys = [] {
        std::map<std::string, ScriptKey> table = {
            {"Escape", {vk::Escape, 27}},
            {"Return", {vk::Return, 13}},
            {"space", {vk::Space, U' '}},
            {"plus", {vk::OemPlus, U'+'}},
            {"minus", {vk::OemMinus, U'-'}},
            {"KP_plus", {vk::Add, U'+'}},
            {"KP_minus", {vk::Subtract, U'-'}},
            {"Up", {vk::Up, 0}},
            {"Down", {vk::Down, 0}},
            {"Left", {vk::Left, 0}},
            {"Right", {vk::Right, 0}},
            {"BackSpace", {vk::Back, 8}},
            {"Tab", {vk::Tab, 9}},
            {"Control", {vk::Control, 0}},
        };
        for (int d = 0; d <= 9; ++d) {
            table["KP_" + std::to_string(d)] = {vk::numpad(d), static_cast<char32_t>(U'0' + d)};
        }
        return table;
    }();
    return keys;
}

int64_t parseNumber(const std::string& word, int line, const char* what) {
    int64_t value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) {
        throw ScriptError("line " + std::to_string(line) + ": " + what + " expects a number, got '" + word + "'");
    }
    return value;
}

ScriptKey parseKey(const std::string& name, int line) {
    auto key = keyByName(name);
    if (!key) {
        throw ScriptError("line " + std::to_string(line) + ": unknown key '" + name + "'");
    }
    return *key;
}

}  // namespace

std::optional<ScriptKey> keyByName(const std::string& name) {
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'a' && c <= 'z')
            return ScriptKey{vk::letter(static_cast<char>(c - 'a' + 'A')), static_cast<char32_t>(c)};
        if (c >= 'A' && c <= 'Z') return ScriptKey{vk::letter(c), static_cast<char32_t>(c)};
        if (c >= '0' && c <= '9') return ScriptKey{vk::digit(c - '0'), static_cast<char32_t>(c)};
    }
    auto found = namedKeys().find(name);
    if (found == namedKeys().end()) {
        return std::nullopt;
    }
    return found->second;
}

std::vector<ScriptCommand> parseScript(const std::string& source) {
    using Kind = ScriptCommand::Kind;
    static const std::map<std::string, Kind> kinds = {
        {"wait", Kind::Wait},   {"frames", Kind::Frames},   {"key", Kind::Key},   {"down", Kind::Down},
        {"up", Kind::Up},       {"text", Kind::Text},       {"move", Kind::Move}, {"click", Kind::Click},
        {"press", Kind::Press}, {"release", Kind::Release}, {"shot", Kind::Shot}, {"state", Kind::State},
        {"quit", Kind::Quit},   {"focus", Kind::Focus},
    };
    std::vector<ScriptCommand> commands;
    std::istringstream lines(source);
    std::string raw;
    int lineNumber = 0;
    while (std::getline(lines, raw)) {
        ++lineNumber;
        std::string line = raw.substr(0, raw.find('#'));
        std::istringstream words(line);
        std::string verb;
        if (!(words >> verb)) {
            continue;
        }
        auto kind = kinds.find(verb);
        if (kind == kinds.end()) {
            throw ScriptError("line " + std::to_string(lineNumber) + ": unknown command '" + verb + "'");
        }
        ScriptCommand command;
        command.kind = kind->second;
        command.line = lineNumber;
        std::string rest;
        std::getline(words >> std::ws, rest);
        while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r')) {
            rest.pop_back();
        }
        std::istringstream args(rest);
        std::string a, b;
        switch (command.kind) {
            case Kind::Wait:
            case Kind::Frames:
                if (!(args >> a))
                    throw ScriptError("line " + std::to_string(lineNumber) + ": " + verb + " needs a number");
                command.number = parseNumber(a, lineNumber, verb.c_str());
                if (command.number < 0)
                    throw ScriptError("line " + std::to_string(lineNumber) + ": " + verb +
                                      " needs a number of 0 or more");
                break;
            case Kind::Key:
            case Kind::Down:
            case Kind::Up:
                if (!(args >> a))
                    throw ScriptError("line " + std::to_string(lineNumber) + ": " + verb + " needs a key name");
                command.key = parseKey(a, lineNumber);
                break;
            case Kind::Text:
                command.text = decodeUtf8(rest);
                break;
            case Kind::Move:
                if (!(args >> a >> b)) throw ScriptError("line " + std::to_string(lineNumber) + ": move needs X and Y");
                command.x = static_cast<int>(parseNumber(a, lineNumber, "move"));
                command.y = static_cast<int>(parseNumber(b, lineNumber, "move"));
                break;
            case Kind::Shot:
            case Kind::State:
                if (rest.empty())
                    throw ScriptError("line " + std::to_string(lineNumber) + ": " + verb + " needs a file name");
                command.path = rest;
                break;
            case Kind::Focus:
                if (!(args >> a) || (a != "on" && a != "off")) {
                    throw ScriptError("line " + std::to_string(lineNumber) + ": focus needs on or off");
                }
                command.number = a == "on" ? 1 : 0;
                break;
            case Kind::Click:
            case Kind::Press:
            case Kind::Release:
            case Kind::Quit:
                break;
        }
        commands.push_back(std::move(command));
    }
    return commands;
}

}  // namespace ik
