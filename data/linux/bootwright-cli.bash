# bash completion for bootwright-cli                                 -*- shell-script -*-
#
# Commands, their options, the page-value names and aliases that --set takes (asked of the
# program itself, so they never fall behind it) and the descriptions of saved configurations.

_bootwright_cli_reply() {
    # One candidate a line, only those that start with the word typed, quoted for the shell.
    local word=$1 line
    COMPREPLY=()
    while IFS= read -r line; do
        [[ -n $line && $line == "$word"* ]] && COMPREPLY+=("$(printf '%q' "$line")")
    done
}

_bootwright_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local program=${COMP_WORDS[0]}
    local commands="build save list remove batch values drives try"
    local global_options="--dir --template --quiet --help --version"

    # The command typed so far, and the program directory it works on.
    local i command="" dir_args=()
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --dir)
            dir_args=(--dir "${COMP_WORDS[i + 1]}")
            ((i++))
            ;;
        --template)
            ((i++))
            ;;
        -*) ;;
        *)
            command=${COMP_WORDS[i]}
            break
            ;;
        esac
    done

    # "=" breaks words for readline: "--drive A=/tm" arrives as "--drive" "A" "=" "/tm".
    if [[ $prev == "=" && ${COMP_WORDS[COMP_CWORD - 3]} == --drive ]] ||
        [[ $cur == "=" && ${COMP_WORDS[COMP_CWORD - 2]} == --drive ]]; then
        [[ $cur == "=" ]] && cur=""
        COMPREPLY=($(compgen -f -- "$cur"))
        compopt -o filenames 2>/dev/null
        return
    fi
    if [[ $prev == "=" || $cur == "=" ]]; then
        return
    fi

    case $prev in
    --dir)
        COMPREPLY=($(compgen -d -- "$cur"))
        compopt -o filenames 2>/dev/null
        return
        ;;
    --template)
        COMPREPLY=($(compgen -f -- "$cur"))
        compopt -o filenames 2>/dev/null
        return
        ;;
    --set)
        _bootwright_cli_reply "$cur" < <("$program" values 2>/dev/null | cut -f1,2 | tr '\t' '\n' | sed 's/$/=/')
        compopt -o nospace 2>/dev/null
        return
        ;;
    --config)
        _bootwright_cli_reply "$cur" < <("$program" "${dir_args[@]}" list 2>/dev/null | cut -f1)
        return
        ;;
    --drive)
        COMPREPLY=($(compgen -W "A= B= C= D=" -- "$cur"))
        compopt -o nospace 2>/dev/null
        return
        ;;
    --disk2 | --hosts)
        COMPREPLY=($(compgen -f -- "$cur"))
        compopt -o filenames 2>/dev/null
        return
        ;;
    --pxe)
        COMPREPLY=($(compgen -d -- "$cur"))
        compopt -o filenames 2>/dev/null
        return
        ;;
    --count | --ip | --name | --timeout)
        return
        ;;
    esac

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$global_options" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    local options="--help"
    case $command in
    build) options="--config --set --drive --disk2 --count --check --no-verify --hosts --pxe --quiet --help" ;;
    save) options="--config --set --overwrite --replace-oldest --quiet --help" ;;
    batch) options="--ip --name --hosts --quiet --help" ;;
    drives) options="--drive --help" ;;
    try) options="--timeout --drive --help" ;;
    list | remove | values) options="--help" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
    remove)
        _bootwright_cli_reply "$cur" < <("$program" "${dir_args[@]}" list 2>/dev/null | cut -f1)
        ;;
    batch | try)
        COMPREPLY=($(compgen -f -- "$cur"))
        compopt -o filenames 2>/dev/null
        ;;
    esac
}

complete -F _bootwright_cli bootwright-cli
