// quarnel: a command-line host for the library (grows into the full tool).
#include <cstdio>

#include "store/record_list.h"

int main() {
  quarnel::store::LinkedRecordList list(4);
  for (int i = 0; i < 5; ++i) list.Append(&i);
  int value = 0;
  list.Rewind();
  std::printf("records:");
  while (list.ReadNext(&value)) std::printf(" %d", value);
  std::printf("\n");
  return 0;
}
