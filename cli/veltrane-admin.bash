# Bash completion for veltrane-admin: commands, their actions and options.
_veltrane_admin() {
  local current=${COMP_WORDS[COMP_CWORD]} command=${COMP_WORDS[1]:-} action=${COMP_WORDS[2]:-}
  local words
  if [ "$COMP_CWORD" -eq 1 ]; then
    words="init check unlock computer vserver user prefs service --help"
  elif [ "$COMP_CWORD" -eq 2 ]; then
    case $command in
      init) words="--sqlite --connect --dsn --unit" ;;
      computer) words="list add rename delete" ;;
      vserver) words="list add edit delete" ;;
      user) words="list show add edit passwd delete" ;;
      prefs) words="show set" ;;
      service) words="status start stop" ;;
    esac
  else
    case "$command $action" in
      init\ *) words="--sqlite --connect --dsn --unit" ;;
      "computer list") words="--json" ;;
      "computer delete" | "user delete") words="--yes" ;;
      "vserver list") words="--computer --json" ;;
      "vserver add") words="--computer --description" ;;
      "vserver edit") words="--computer --address --description" ;;
      "vserver delete") words="--computer --yes" ;;
      "user list") words="--computer --vserver --match --json" ;;
      "user show") words="--json" ;;
      "user add") words="--vserver --computer --home --quota --permissions" ;;
      "user edit") words="--home --quota --permissions" ;;
      "prefs show") words="--vserver --computer --json" ;;
      "prefs set") words="--vserver --computer port= welcome= goodbye= anonymous= max-connections= max-per-ip= max-per-user= timeout=" ;;
      service\ *) words="--unit" ;;
    esac
  fi
  COMPREPLY=($(compgen -W "$words" -- "$current"))
}
complete -F _veltrane_admin veltrane-admin
