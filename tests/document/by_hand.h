#pragma once
#include "skin_document.h"

namespace corvela::test {

// The records of `doc`, to set a state by hand as a load would find it,
// outside any step.
inline SkinDocument::Records byHand(SkinDocument& doc) {
  const SkinDocument::DiskWrite byHand(doc);
  return doc.records();
}

}  // namespace corvela::test
