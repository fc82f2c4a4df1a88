# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for tripconf-cli: commands, options and setting names.
# Everything is asked of the installed program when completing, so new
# commands, options and settings complete without changing this file.

_tripconf_cli_commands() {
  "$1" --help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\)  .*/\1/p'
}

_tripconf_cli_options() {
  "$1" "$2" --help 2>/dev/null | grep -o -- '--[a-z][a-z-]*' | sort -u
}

# The names of every setting, from the settings file already on the line.
_tripconf_cli_settings() {
  [ -f "$2" ] || return
  "$1" settings "$2" --lang en 2>/dev/null | sed -n 's/^\([A-Za-z][A-Za-z0-9_]*\)\t.*/\1/p'
}

_tripconf_cli() {
  local cur prev prog cmd i file
  COMPREPLY=()
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
  prog=${COMP_WORDS[0]}

  if [ "$COMP_CWORD" -eq 1 ]; then
    COMPREPLY=($(compgen -W "$(_tripconf_cli_commands "$prog") --help --version" -- "$cur"))
    return
  fi
  cmd=${COMP_WORDS[1]}

  # Values of the options that take a fixed set of words.
  case "$prev" in
    --lang) COMPREPLY=($(compgen -W "en ru" -- "$cur")); return ;;
    --scheme) COMPREPLY=($(compgen -W "day night" -- "$cur")); return ;;
    --type) COMPREPLY=($(compgen -W "1 2" -- "$cur")); return ;;
    --screen) COMPREPLY=($(compgen -W "x1 x3 x4 x6 x7 x9 graph arrow menu info" -- "$cur")); return ;;
    --table) COMPREPLY=($(compgen -W "trips refuels faults sums stored" -- "$cur")); return ;;
    --list) COMPREPLY=($(compgen -W "flags protocols params menu" -- "$cur")); return ;;
    --out | --export | --png | --ini | --from)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -f -- "$cur"))
      return
      ;;
    --port | --device | --layout | --protocol | --display | --record | --kind | --block | \
      --wait | --offset | --timebase | --version)
      return
      ;;
  esac

  if [[ "$cur" == -* ]]; then
    COMPREPLY=($(compgen -W "$(_tripconf_cli_options "$prog" "$cmd")" -- "$cur"))
    return
  fi

  # The first file after the command.
  file=""
  for ((i = 2; i < COMP_CWORD; i++)); do
    case "${COMP_WORDS[i]}" in
      -*) ;;
      *)
        case "${COMP_WORDS[i - 1]}" in
          --out | --export | --png | --ini | --from | --lang | --port | --screen | --scheme | --table | \
            --list | --type | --display | --record | --kind | --block | --wait | --offset | \
            --timebase | --version | --device | --layout | --protocol) ;;
          *) file=${COMP_WORDS[i]}; break ;;
        esac
        ;;
    esac
  done

  case "$cmd" in
    get)
      if [ -n "$file" ]; then
        COMPREPLY=($(compgen -W "$(_tripconf_cli_settings "$prog" "$file")" -- "$cur"))
        return
      fi
      ;;
    set)
      if [ -n "$file" ]; then
        compopt -o nospace 2>/dev/null
        COMPREPLY=($(compgen -S = -W "$(_tripconf_cli_settings "$prog" "$file")" -- "$cur"))
        return
      fi
      ;;
    sample)
      COMPREPLY=($(compgen -W "$("$prog" sample --help 2>/dev/null | sed -n 's/^  \(v[0-9a-z-]*\)$/\1/p')" -- "$cur"))
      return
      ;;
  esac
  compopt -o filenames 2>/dev/null
  COMPREPLY=($(compgen -f -X '!*.@(dvkps|DVKPS|bin)' -- "$cur") $(compgen -d -- "$cur"))
}

complete -F _tripconf_cli tripconf-cli
