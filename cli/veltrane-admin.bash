# Bash completion for veltrane-admin: commands, actions and options, folders for --home, files
# to import, and the names of computers, addresses and accounts from the cache the program
# writes after each command that logged in (so completing never asks for a password).

# Adds the cached names of one kind that begin with the word being completed. Names are
# compared, never expanded: a name like $(…) stays text.
_veltrane_admin_names() {
  local kind=$1 current=$2 file=${XDG_CACHE_HOME:-$HOME/.cache}/veltrane-admin/names line name
  [ -r "$file" ] || return
  while IFS= read -r line; do
    [ "${line%%$'\t'*}" = "$kind" ] || continue
    name=${line#*$'\t'}
    [[ $name == "$current"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
  done <"$file"
}

_veltrane_admin() {
  local current=${COMP_WORDS[COMP_CWORD]} previous=${COMP_WORDS[COMP_CWORD - 1]}
  local words=() i command="" action="" position=0
  COMPREPLY=()
  # The command and action are the first words that are neither options nor their values.
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      --wait | --computer | --vserver | --address | --description | --home | --quota | --permissions | \
        --sqlite | --connect | --dsn | --unit) ((i++)) ;;
      -*) ;;
      *) ((position++)); [ $position -eq 1 ] && command=${COMP_WORDS[i]}; [ $position -eq 2 ] && action=${COMP_WORDS[i]} ;;
    esac
  done
  case $previous in
    --computer) _veltrane_admin_names computer "$current"; return ;;
    --vserver | --address) _veltrane_admin_names vserver "$current"; return ;;
    --home | --sqlite) COMPREPLY=($(compgen -d -- "$current")); return ;;
    --wait | --description | --quota | --permissions | --connect | --dsn | --unit) return ;;
  esac
  if [ $position -eq 0 ]; then
    words=(init check unlock computer vserver user prefs service export import migrate help -q --quiet --wait --help --version)
  elif [ $position -eq 1 ]; then
    case $command in
      init | migrate) words=(--sqlite --connect --dsn --unit) ;;
      computer) words=(list add rename delete) ;;
      vserver) words=(list add edit delete) ;;
      user) words=(list show add edit passwd delete import) ;;
      prefs) words=(show set) ;;
      service) words=(status start stop) ;;
      export) words=(--computer) ;;
      import) COMPREPLY=($(compgen -f -- "$current")); words=(--dry-run --replace) ;;
      help) words=(init check unlock computer vserver user prefs service export import migrate) ;;
    esac
  else
    case "$command $action" in
      init\ * | migrate\ *) words=(--sqlite --connect --dsn --unit) ;;
      "computer list") words=(--json) ;;
      "computer rename" | "computer delete") [ $position -eq 2 ] && _veltrane_admin_names computer "$current"; words=(--yes) ;;
      "vserver list") words=(--computer --json) ;;
      "vserver add") words=(--computer --description) ;;
      "vserver edit" | "vserver delete")
        [ $position -eq 2 ] && _veltrane_admin_names vserver "$current"
        words=(--computer --address --description --yes) ;;
      "user list") words=(--computer --vserver --match --json) ;;
      "user show" | "user edit" | "user passwd" | "user delete")
        [ $position -eq 2 ] && _veltrane_admin_names user "$current"
        words=(--json --home --quota --permissions --yes) ;;
      "user add") words=(--vserver --computer --home --quota --permissions) ;;
      "user import") COMPREPLY=($(compgen -f -- "$current")); words=(--dry-run --replace) ;;
      "prefs show") words=(--vserver --computer --json) ;;
      "prefs set") words=(--vserver --computer port= welcome= goodbye= anonymous= max-connections= max-per-ip= max-per-user= timeout=) ;;
      service\ *) words=(--unit) ;;
    esac
  fi
  [[ $current == -* || ${#COMPREPLY[@]} -eq 0 ]] && COMPREPLY+=($(compgen -W "${words[*]}" -- "$current"))
}
complete -F _veltrane_admin veltrane-admin
