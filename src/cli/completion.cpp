// `linnet completion bash`: a completion script made from the command, option, automation
// and enumerator-name tables, so it never lags behind them.
#include <sstream>

#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "control/automation.h"
#include "host/enumerator_names.h"
#include "platform/ascii_case.h"

namespace linnet::cli {

namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(detail::LowerAscii(c));
  }
  return text;
}

// The short names and aliases of one enumeration, space separated.
std::string EnumeratorWords(ValueKind kind) {
  std::string words;
  for (const auto& e : Enumerators()) {
    if (e.enumeration == kind) {
      words += host::ShortEnumeratorName(e) + ' ';
    }
  }
  for (const auto& a : host::EnumeratorAliases()) {
    if (a.enumeration == kind) {
      words += std::string(a.alias) + ' ';
    }
  }
  words.pop_back();
  return words;
}

std::string OptionWords(unsigned options) {
  std::string words;
  for (const auto& o : Options()) {
    if ((options & Bit(o.option)) != 0) {
      words += std::string(" --") + o.longName;
      if (o.shortName != '\0') {
        words += std::string(" -") + o.shortName;
      }
    }
  }
  return words.empty() ? words : words.substr(1);
}

void WriteBashScript(std::ostream& out) {
  std::string commands;
  std::string properties;
  for (const auto& c : Commands()) {
    commands += std::string(c.name) + ' ';
  }
  for (const auto& m : AutomationMembers()) {
    if (m.put != nullptr) {
      properties += std::string(m.name) + ' ';
    }
  }
  std::string formats;
  for (const auto& f : ExportFormatNames()) {
    formats += f + ' ';
  }
  out << "# bash completion for linnet, written by `linnet completion bash`.\n"
         "# Load it with: source <(linnet completion bash)\n\n"
         "_linnet_values() {\n"
         "  case \"${1,,}\" in\n";
  for (const auto& m : AutomationMembers()) {
    if (m.put == nullptr) {
      continue;
    }
    if (host::IsEnumeration(m.kind)) {
      out << "    " << Lower(m.name) << ") echo '" << EnumeratorWords(m.kind) << "' ;;\n";
    } else if (m.kind == ValueKind::Bool) {
      out << "    " << Lower(m.name) << ") echo 'true false' ;;\n";
    }
  }
  out << "  esac\n"
         "}\n\n"
         "_linnet() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} i=$COMP_CWORD\n"
         "  local command=${COMP_WORDS[1]} opt key=\"\" prefix=\"\"\n"
         "  COMPREPLY=()\n"
         "  if (( i == 1 )); then\n"
         "    COMPREPLY=($(compgen -W '"
      << commands
      << "--help --version' -- \"$cur\"))\n"
         "    return 0\n"
         "  fi\n"
         "  # NAME=VALUE arrives as three words when '=' breaks words, as one otherwise.\n"
         "  if [[ $cur == = ]]; then\n"
         "    key=$prev opt=${COMP_WORDS[i-2]} cur=\"\"\n"
         "  elif [[ $prev == = ]]; then\n"
         "    key=${COMP_WORDS[i-2]} opt=${COMP_WORDS[i-3]}\n"
         "  else\n"
         "    opt=$prev\n"
         "    if [[ $opt == --set && $cur == *=* ]]; then\n"
         "      key=${cur%%=*} prefix=\"$key=\" cur=${cur#*=}\n"
         "    fi\n"
         "  fi\n"
         "  if [[ $key == --* ]]; then\n"
         "    opt=$key key=\"\"\n"
         "  fi\n"
         "  if [[ -n $key ]]; then\n"
         "    [[ $opt == --set ]] && COMPREPLY=($(compgen -P \"$prefix\" -W \"$(_linnet_values \"$key\")\" -- "
         "\"$cur\"))\n"
         "    return 0\n"
         "  fi\n"
         "  case $opt in\n"
         "    --set)\n"
         "      COMPREPLY=($(compgen -S = -W '"
      << properties
      << "' -- \"$cur\"))\n"
         "      compopt -o nospace 2>/dev/null\n"
         "      return 0 ;;\n"
         "    -b|--symbology) COMPREPLY=($(compgen -W \"$(_linnet_values Symbology)\" -- \"$cur\")); return 0 ;;\n"
         "    -o|--output|-i|--input|--load) COMPREPLY=($(compgen -f -- \"$cur\")); return 0 ;;\n"
         "    --format) COMPREPLY=($(compgen -W '"
      << formats
      << "' -- \"$cur\")); return 0 ;;\n"
         "    -d|--message) return 0 ;;\n"
         "  esac\n"
         "  case $command in\n";
  for (const auto& c : Commands()) {
    std::string words = OptionWords(c.options);
    if (std::string_view(c.name) == "help") {
      words = commands;
    } else if (std::string_view(c.name) == "completion") {
      words += " bash";
    }
    out << "    " << c.name << ") COMPREPLY=($(compgen -W '" << words << "' -- \"$cur\")) ;;\n";
  }
  out << "  esac\n"
         "  return 0\n"
         "}\n\n"
         "complete -F _linnet linnet\n";
}

}  // namespace

int RunCompletion(Session& s) {
  if (s.line.operands[0] != "bash") {
    s.err << "linnet: no completion for shell '" << s.line.operands[0] << "' (only bash). Try 'linnet --help'.\n";
    return kExitUsage;
  }
  WriteBashScript(s.out);
  return kExitOk;
}

}  // namespace linnet::cli
