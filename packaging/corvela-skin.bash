# Bash completion for corvela-skin.
# Commands and options are read from the tool's own help, so they never drift
# from it; ids come from the lists of the skin being edited.

# The ids of one list of the skin (objects, colours or rects), "-" rows left out.
_corvela_skin_ids() {
  local tool=$1 list=$2 skin=$3
  [[ -f $skin && -r $skin ]] || return 0
  "$tool" "$list" "$skin" 2>/dev/null | awk -F '\t' 'NR > 1 && $1 != "-" { print $1 }'
}

_corvela_skin() {
  local tool=${COMP_WORDS[0]}
  tool=${tool/#\~/$HOME}
  command -v -- "$tool" >/dev/null 2>&1 || return 0

  # Our own split of the line, blind to COMP_WORDBREAKS, so that ID=FILE stays
  # one word; bash's current word may be only the part after the "=".
  local -a words
  read -ra words <<<"${COMP_LINE:0:COMP_POINT}"
  [[ ${COMP_LINE:0:COMP_POINT} =~ [[:space:]]$ ]] && words+=("")
  local cur=${words[-1]} prev=${words[-2]:-}
  local n=${#words[@]}
  COMPREPLY=()

  if ((n == 2)); then
    local commands
    commands=$("$tool" --help 2>/dev/null |
      awk '/^Comandi:/ { on = 1; next } on && !NF { exit } on { print $1 }')
    mapfile -t COMPREPLY < <(compgen -W "$commands --help" -- "$cur")
    return 0
  fi

  local command=${words[1]} skin="" i
  # The skin is the first word after the command that is no option nor an
  # option's value.
  for ((i = 2; i < n - 1; i++)); do
    case ${words[i]} in
      --*) ;;
      *) case ${words[i - 1]} in
           --rect | --transparency | --move | --hand-length | --hand-colour | --replace | \
             --default | --colour | --background | --import-colours | --scale | --clock | \
             --wallpaper | --date | --time | --size) ;;
           *) [[ -z $skin ]] && skin=${words[i]} ;;
         esac ;;
    esac
  done

  local value=""
  case $prev in
    --replace)
      if [[ $cur == *=* ]]; then
        # Files after the "=": complete what bash sees as the current word.
        value=${cur#*=}
        mapfile -t COMPREPLY < <(compgen -f -- "$value")
        compopt -o filenames 2>/dev/null
        [[ $COMP_WORDBREAKS == *=* ]] || COMPREPLY=("${COMPREPLY[@]/#/${cur%%=*}=}")
      else
        mapfile -t COMPREPLY < <(compgen -W "$(_corvela_skin_ids "$tool" objects "$skin")" \
          -S = -- "$cur")
        compopt -o nospace 2>/dev/null
      fi
      return 0 ;;
    --default)
      mapfile -t COMPREPLY < <(compgen -W "all $(_corvela_skin_ids "$tool" objects "$skin")" \
        -- "$cur")
      return 0 ;;
    --colour | --transparency)
      [[ $cur == *=* ]] && return 0
      mapfile -t COMPREPLY < <(compgen -W "$(_corvela_skin_ids "$tool" colours "$skin")" \
        -S = -- "$cur")
      compopt -o nospace 2>/dev/null
      return 0 ;;
    --rect)
      [[ $cur == *=* ]] && return 0
      mapfile -t COMPREPLY < <(compgen -W "$(_corvela_skin_ids "$tool" rects "$skin")" \
        -S = -- "$cur")
      compopt -o nospace 2>/dev/null
      return 0 ;;
    --hand-length | --hand-colour)
      [[ $cur == *=* ]] && return 0
      mapfile -t COMPREPLY < <(compgen -W "minute hour" -S = -- "$cur")
      compopt -o nospace 2>/dev/null
      return 0 ;;
    --clock)
      mapfile -t COMPREPLY < <(compgen -W "digital analogue" -- "$cur")
      return 0 ;;
    --import-colours)
      mapfile -t COMPREPLY < <(compgen -f -X '!*.[sS][kK][iI]' -- "$cur"; compgen -d -- "$cur")
      compopt -o filenames 2>/dev/null
      return 0 ;;
    --default-colours | --wallpaper)
      # The colour scheme's file is optional: an option may follow instead.
      if [[ $cur != -* ]]; then
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        [[ $prev == --wallpaper ]] && mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -W none -- "$cur")
        compopt -o filenames 2>/dev/null
        return 0
      fi ;;
    --move | --background | --scale | --date | --time | --size)
      return 0 ;;
  esac

  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$("$tool" "$command" --help 2>/dev/null |
      grep -o -- '--[a-z][a-z-]*' | sort -u) --help" -- "$cur")
  elif [[ -z $skin && $command == unpack ]]; then
    mapfile -t COMPREPLY < <(compgen -f -X '!*.[zZ][iI][pP]' -- "$cur"; compgen -d -- "$cur")
    compopt -o filenames 2>/dev/null
  elif [[ -z $skin ]]; then
    mapfile -t COMPREPLY < <(compgen -f -X '!*.[sS][kK][iI]' -- "$cur"; compgen -d -- "$cur")
    compopt -o filenames 2>/dev/null
  elif [[ $command == render || $command == export || $command == unpack ]]; then
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    compopt -o filenames 2>/dev/null
  fi
  return 0
}

complete -F _corvela_skin corvela-skin
