// The host's list elements are framework objects of classes without run-time
// class information of their own (tool list items, entity objects, second-list
// elements): each answers the run-time class query with the framework's root
// class. An element that answers otherwise is another kind of object, whose
// fields must not be read as ours.
#pragma once

#include <cstring>

#include "quarnel/host_framework.h"

namespace quarnel::exports {

// `element` cast to T when it is an object of the kind the host's lists hold;
// nullptr for a missing element or one of another run-time class.
template <typename T>
const T* HostElementAs(const CObject* element) {
  if (element == nullptr) return nullptr;
  const CRuntimeClass* type = element->GetRuntimeClass();
  // Compared by name: the host and the library each hold their own copy of the
  // root class's record, so its address proves nothing.
  if (type == nullptr || type->m_lpszClassName == nullptr ||
      std::strcmp(type->m_lpszClassName, "CObject") != 0) {
    return nullptr;
  }
  return static_cast<const T*>(element);
}

}  // namespace quarnel::exports
