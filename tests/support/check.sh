# Shared by the end-to-end scripts: counts checks and shows what differed.
# Source it; it sets passed and failed to 0.
passed=0
failed=0

check() {  # name, expected, actual
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED: %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
  fi
}
