// Commits the one fault its argument names, for the sanitizer to report: the proof that reports of
// programs a test starts reach that test.
#include <climits>
#include <cstdlib>
#include <cstring>

static void* volatile sink;

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const size_t length = strlen(argv[1]);
  if (strcmp(argv[1], "overflow") == 0) {
    // A block of a size known only at run time, so that only ASan can see the read past its end.
    char* block = static_cast<char*>(calloc(length, 1));
    volatile char past = block[length];
    return past;
  }
  if (strcmp(argv[1], "leak") == 0) {
    sink = malloc(64);
    sink = nullptr;
    return 0;
  }
  if (strcmp(argv[1], "undefined") == 0) {
    volatile int big = INT_MAX;
    return big + argc;
  }
  return 2;
}
