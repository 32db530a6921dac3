// A C++ host built against an installed quarnel with find_package: lists the
// tools of a library file through the list form of the Receive family, in the
// same lines as the C host, which reads them one by one.
// Usage: list_tools_cpp LIBRARY
#include <cstdio>

#include <quarnel/quarnel.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
    return 2;
  }
  CObList tools;
  const int status = ReceiveTools(CString(argv[1]), &tools);
  if (status == 0) {
    std::printf("%d tools\n", static_cast<int>(tools.GetCount()));
    int index = 0;
    for (POSITION position = tools.GetHeadPosition(); position != nullptr;) {
      const auto* tool = static_cast<const ToolListItem*>(tools.GetNext(position));
      std::printf("%d type %d size %g x %g y %g name '%s'\n", index++, tool->typeCode,
                  static_cast<double>(tool->size), static_cast<double>(tool->x),
                  static_cast<double>(tool->y), tool->name.GetString());
    }
  } else {
    std::fprintf(stderr, "ReceiveTools failed with status %d\n", status);
  }
  // The items belong to the host once appended.
  while (!tools.IsEmpty()) delete tools.RemoveHead();
  return status == 0 ? 0 : 1;
}
