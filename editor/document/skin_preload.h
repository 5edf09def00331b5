#pragma once
#include <QString>
#include <future>
#include <memory>

#include "skin_document.h"

namespace corvela {

// The skin named on the command line, read on a thread of its own while the
// window that shows it is still being built: on a second core its files
// cost the start-up nothing. The window's document then takes over what was
// read, as if it had read it itself, so every rule of the load holds.
class SkinPreload {
 public:
  explicit SkinPreload(const QString& file);
  // Waits for the reading thread: its lock on the skin's folder ends with it.
  ~SkinPreload();
  SkinPreload(const SkinPreload&) = delete;
  SkinPreload& operator=(const SkinPreload&) = delete;

  const QString& file() const { return file_; }
  // Waits for the read and moves it into `doc`; once only.
  LoadOutcome takeInto(SkinDocument& doc);
  bool taken() const { return !outcome_.valid(); }

 private:
  QString file_;
  std::unique_ptr<SkinDocument> read_;
  std::future<LoadOutcome> outcome_;
};

}  // namespace corvela
