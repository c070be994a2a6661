#include <cstdio>

int main() {
  std::puts("linnet");
  return 0;
}
