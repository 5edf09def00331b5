#include "skin_preload.h"

namespace corvela {

SkinPreload::SkinPreload(const QString& file)
    : file_(file), read_(std::make_unique<SkinDocument>()) {
  // Nothing is connected to this document: it announces nothing anybody
  // hears until the window's document takes its rows.
  outcome_ = std::async(std::launch::async, [doc = read_.get(), file] { return doc->load(file); });
}

SkinPreload::~SkinPreload() {
  if (outcome_.valid()) outcome_.wait();
}

LoadOutcome SkinPreload::takeInto(SkinDocument& doc) {
  LoadOutcome outcome = outcome_.get();
  doc.takeLoaded(*read_);
  return outcome;
}

}  // namespace corvela
