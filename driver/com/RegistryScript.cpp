#include "RegistryScript.h"

#include <optional>
#include <utility>
#include <vector>

namespace orn::com {

namespace {

struct Token {
  std::u16string text;
  bool quoted = false;
  int line = 0;
};

struct ScriptValue {
  bool isNumber = false;
  std::u16string text;
  uint32_t number = 0;
};

enum class KeyFlag { kNone, kNoRemove, kForceRemove };

struct ScriptKey {
  std::u16string name;
  KeyFlag flag = KeyFlag::kNone;
  std::optional<ScriptValue> defaultValue;
  std::vector<std::pair<std::u16string, ScriptValue>> values;
  std::vector<ScriptKey> subkeys;
};

struct ScriptError {
  std::string message;
};

std::string Narrow(std::u16string_view text) {
  std::string narrow;
  for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

bool SameWord(std::u16string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char16_t c) { return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c; };
    if (lower(a[i]) != lower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

// Splits the script into words and quoted texts. Only ASCII scripts are accepted: the
// resource holds no code page information.
std::vector<Token> Tokenize(std::string_view script) {
  std::vector<Token> tokens;
  int line = 1;
  size_t i = 0;
  auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  for (char c : script) {
    if (c == '\n') ++line;
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\0') {
      throw ScriptError{"line " + std::to_string(line) + ": a character outside ASCII"};
    }
  }
  line = 1;
  while (i < script.size()) {
    char c = script[i];
    if (isBlank(c)) {
      if (c == '\n') ++line;
      ++i;
      continue;
    }
    Token token;
    token.line = line;
    if (c == '\'') {
      token.quoted = true;
      for (++i;; ++i) {
        if (i >= script.size() || script[i] == '\n') {
          throw ScriptError{"line " + std::to_string(line) + ": unterminated quote"};
        }
        if (script[i] == '\'') {
          if (i + 1 < script.size() && script[i + 1] == '\'') {
            token.text += u'\'';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        token.text += static_cast<char16_t>(script[i]);
      }
    } else {
      while (i < script.size() && !isBlank(script[i])) {
        token.text += static_cast<char16_t>(static_cast<unsigned char>(script[i]));
        ++i;
      }
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

std::u16string Expand(const Token& token, const ScriptVariables& variables) {
  std::u16string out;
  const std::u16string& text = token.text;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') {
      out += text[i];
      continue;
    }
    size_t end = text.find(u'%', i + 1);
    if (end == std::u16string::npos) {
      throw ScriptError{"line " + std::to_string(token.line) + ": unterminated %variable%"};
    }
    std::u16string name = text.substr(i + 1, end - i - 1);
    if (name.empty()) {
      out += u'%';
    } else {
      auto found = variables.find(name);
      if (found == variables.end()) {
        throw ScriptError{"line " + std::to_string(token.line) + ": unknown variable %" +
                          Narrow(name) + "%"};
      }
      out += found->second;
    }
    i = end;
  }
  return out;
}

class Parser {
 public:
  Parser(std::vector<Token> tokens, const ScriptVariables& variables)
      : tokens_(std::move(tokens)), variables_(variables) {}

  // The whole script: HKCR { keys }, possibly more than once.
  std::vector<ScriptKey> Script() {
    std::vector<ScriptKey> keys;
    while (!AtEnd()) {
      const Token& root = Next("a root key");
      if (root.quoted ||
          !(SameWord(root.text, "HKCR") || SameWord(root.text, "HKEY_CLASSES_ROOT"))) {
        Fail(root, "unsupported root '" + Narrow(root.text) + "'");
      }
      Expect("{");
      while (!IsWord("}")) keys.push_back(Key());
      Next("}");
    }
    return keys;
  }

 private:
  ScriptKey Key() {
    ScriptKey key;
    const Token* name = &Next("a key name");
    if (!name->quoted && SameWord(name->text, "NoRemove")) {
      key.flag = KeyFlag::kNoRemove;
      name = &Next("a key name");
    } else if (!name->quoted && SameWord(name->text, "ForceRemove")) {
      key.flag = KeyFlag::kForceRemove;
      name = &Next("a key name");
    }
    if (!name->quoted && (name->text == u"{" || name->text == u"}" || name->text == u"=")) {
      Fail(*name, "a key name expected");
    }
    key.name = Expand(*name, variables_);
    if (key.name.empty() || key.name.find(u'\\') != std::u16string::npos) {
      Fail(*name, "a key name must be one non-empty part");
    }
    if (IsWord("=")) {
      Next("=");
      key.defaultValue = Value();
    }
    if (IsWord("{")) {
      Next("{");
      while (!IsWord("}")) {
        if (IsWord("val")) {
          Next("val");
          const Token& valueName = Next("a value name");
          std::u16string expanded = Expand(valueName, variables_);
          Expect("=");
          key.values.emplace_back(std::move(expanded), Value());
        } else {
          key.subkeys.push_back(Key());
        }
      }
      Next("}");
    }
    return key;
  }

  ScriptValue Value() {
    const Token& type = Next("a value type");
    const Token& data = Next("a value");
    ScriptValue value;
    if (!type.quoted && SameWord(type.text, "s")) {
      value.text = Expand(data, variables_);
    } else if (!type.quoted && SameWord(type.text, "d")) {
      value.isNumber = true;
      value.number = Number(data, Expand(data, variables_));
    } else {
      Fail(type, "unsupported value type '" + Narrow(type.text) + "'");
    }
    return value;
  }

  uint32_t Number(const Token& token, std::u16string_view text) {
    uint32_t base = 10;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
      base = 16;
      text.remove_prefix(2);
    }
    if (text.empty()) Fail(token, "a number expected");
    uint64_t number = 0;
    for (char16_t c : text) {
      uint32_t digit = 0;
      if (c >= u'0' && c <= u'9') {
        digit = c - u'0';
      } else if (base == 16 && c >= u'a' && c <= u'f') {
        digit = c - u'a' + 10;
      } else if (base == 16 && c >= u'A' && c <= u'F') {
        digit = c - u'A' + 10;
      } else {
        Fail(token, "a number expected");
      }
      number = number * base + digit;
      if (number > UINT32_MAX) Fail(token, "the number does not fit 32 bits");
    }
    return static_cast<uint32_t>(number);
  }

  bool AtEnd() const { return position_ >= tokens_.size(); }

  // The next token is the unquoted word (keywords ignore case).
  bool IsWord(std::string_view word) const {
    return !AtEnd() && !tokens_[position_].quoted && SameWord(tokens_[position_].text, word);
  }

  const Token& Next(const std::string& expected) {
    if (AtEnd()) {
      int line = tokens_.empty() ? 1 : tokens_.back().line;
      throw ScriptError{"line " + std::to_string(line) + ": " + expected +
                        " expected at the end of the script"};
    }
    return tokens_[position_++];
  }

  void Expect(std::string_view word) {
    const Token& token = Next("'" + std::string(word) + "'");
    if (token.quoted || !SameWord(token.text, word)) {
      Fail(token, "'" + std::string(word) + "' expected");
    }
  }

  [[noreturn]] void Fail(const Token& token, const std::string& message) {
    throw ScriptError{"line " + std::to_string(token.line) + ": " + message};
  }

  std::vector<Token> tokens_;
  const ScriptVariables& variables_;
  size_t position_ = 0;
};

std::u16string Join(std::u16string_view parent, std::u16string_view name) {
  if (parent.empty()) return std::u16string(name);
  std::u16string path(parent);
  path += u'\\';
  path += name;
  return path;
}

class Runner {
 public:
  explicit Runner(ScriptRegistry& registry) : registry_(registry) {}

  void Register(const std::vector<ScriptKey>& keys, std::u16string_view parent) {
    for (const ScriptKey& key : keys) {
      std::u16string path = Join(parent, key.name);
      if (key.flag == KeyFlag::kForceRemove) Check(registry_.DeleteTree(path), "delete", path);
      Check(registry_.CreateKey(path), "create", path);
      if (key.defaultValue) Set(path, u"", *key.defaultValue);
      for (const auto& [name, value] : key.values) Set(path, name, value);
      Register(key.subkeys, path);
    }
  }

  // Removable keys go with all they hold; a NoRemove key stays, and only what the script
  // put into it is removed.
  void Unregister(const std::vector<ScriptKey>& keys, std::u16string_view parent) {
    for (const ScriptKey& key : keys) {
      std::u16string path = Join(parent, key.name);
      if (key.flag != KeyFlag::kNoRemove) {
        Check(registry_.DeleteTree(path), "delete", path);
        continue;
      }
      if (!registry_.KeyExists(path)) continue;
      for (const auto& value : key.values) {
        Check(registry_.DeleteValue(path, value.first), "delete a value of", path);
      }
      Unregister(key.subkeys, path);
    }
  }

 private:
  void Set(std::u16string_view path, std::u16string_view name, const ScriptValue& value) {
    bool ok = value.isNumber ? registry_.SetNumber(path, name, value.number)
                             : registry_.SetString(path, name, value.text);
    Check(ok, "set a value of", path);
  }

  static void Check(bool ok, std::string_view what, std::u16string_view path) {
    if (!ok) throw ScriptError{"cannot " + std::string(what) + " " + Narrow(path)};
  }

  ScriptRegistry& registry_;
};

}  // namespace

ScriptOutcome RunRegistryScript(std::string_view script, const ScriptVariables& variables,
                                ScriptPass pass, ScriptRegistry& registry) {
  try {
    std::vector<ScriptKey> keys = Parser(Tokenize(script), variables).Script();
    Runner runner(registry);
    if (pass == ScriptPass::kRegister) {
      runner.Register(keys, u"");
    } else {
      runner.Unregister(keys, u"");
    }
    return ScriptOutcome{true, {}};
  } catch (const ScriptError& error) {
    return ScriptOutcome{false, error.message};
  } catch (const std::exception& error) {
    return ScriptOutcome{false, error.what()};
  }
}

}  // namespace orn::com
