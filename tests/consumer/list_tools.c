/* A C host built against an installed quarnel (pkg-config on Linux, the
   unpacked zip with mingw for Windows): lists the tools of a library file
   through the Receive entry points, one line per tool.
   Usage: list_tools LIBRARY STATIONS */
#include <stdio.h>

#include <quarnel/quarnel.h>

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: %s LIBRARY STATIONS\n", argv[0]);
    return 2;
  }
  int count = 0;
  const int status = StartReceiveTool(argv[1], argv[2], &count);
  if (status != QUARNEL_EXCHANGE_DONE) {
    fprintf(stderr, "StartReceiveTool failed with status %d\n", status);
    EndReceiveTool();
    return 1;
  }
  printf("%d tools\n", count);
  for (int index = 0; index < count; ++index) {
    char name[256] = "";
    float size = 0, x = 0, y = 0, z = 0, a[4], d[4], values[4];
    int typeCode = 0, keyed = 0, dies = 0, second = 0, first = 0;
    ReceiveTool(index, &size, &typeCode, name, &x, &y, &z, &keyed, &a[0], &a[1], &a[2], &a[3],
                &dies, &d[0], &d[1], &d[2], &d[3], &values[0], &values[1], &values[2],
                &values[3], &second, &first);
    printf("%d type %d size %g x %g y %g name '%s'\n", index, typeCode, size, x, y, name);
  }
  EndReceiveTool();
  return 0;
}
