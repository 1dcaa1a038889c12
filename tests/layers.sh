#!/bin/bash
# Each folder may include only from the folders below it, as it links only
# their libraries: app -> frame -> widgets -> ui -> os, app -> engine -> os.
# The linker stops a call upwards; this stops an include upwards, which could
# bring inline code along unseen.
root=${1:-$(dirname "$0")/..}
status=0
check() { # folder allowed...
    local folder=$1 line target
    shift
    while IFS= read -r line; do
        target=${line#*#include \"}
        target=${target%%/*}
        case " $folder $* " in
            *" $target "*) ;;
            *) echo "$line: $folder may not include from $target/"; status=1 ;;
        esac
    done < <(grep -rn '#include "[a-z]*/' "$root/$folder" --include='*.h' --include='*.cpp')
}
check os
check ui os
check engine os
check widgets ui os
check frame widgets ui os
check app frame widgets ui engine os
exit $status
