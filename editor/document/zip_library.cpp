#include "zip_library.h"

#include <QLibrary>
#include <type_traits>

namespace corvela {

namespace {

struct Loaded {
  ZipLibrary functions{};
  QString failure;
};

Loaded load() {
  Loaded loaded;
  // The build names the library it was compiled against, by its soname.
  QLibrary library(QStringLiteral(CORVELA_LIBZIP));
  if (!library.load()) {
    loaded.failure = QStringLiteral("impossibile caricare la libreria %1: %2")
                         .arg(library.fileName(), library.errorString());
    return loaded;
  }
  QStringList missing;
  ZipLibrary& z = loaded.functions;
  const auto resolve = [&library, &missing](auto& function, const char* name) {
    // QFunctionPointer is the one type every function pointer may pass
    // through.
    function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
    if (!function) missing << QLatin1StringView(name);
  };
  resolve(z.zip_close, "zip_close");
  resolve(z.zip_discard, "zip_discard");
  resolve(z.zip_error_code_system, "zip_error_code_system");
  resolve(z.zip_error_code_zip, "zip_error_code_zip");
  resolve(z.zip_error_fini, "zip_error_fini");
  resolve(z.zip_error_init, "zip_error_init");
  resolve(z.zip_error_init_with_code, "zip_error_init_with_code");
  resolve(z.zip_error_strerror, "zip_error_strerror");
  resolve(z.zip_fclose, "zip_fclose");
  resolve(z.zip_file_add, "zip_file_add");
  resolve(z.zip_file_get_error, "zip_file_get_error");
  resolve(z.zip_file_get_external_attributes, "zip_file_get_external_attributes");
  resolve(z.zip_file_set_dostime, "zip_file_set_dostime");
  resolve(z.zip_file_set_external_attributes, "zip_file_set_external_attributes");
  resolve(z.zip_fopen_index, "zip_fopen_index");
  resolve(z.zip_fread, "zip_fread");
  resolve(z.zip_get_error, "zip_get_error");
  resolve(z.zip_get_name, "zip_get_name");
  resolve(z.zip_get_num_entries, "zip_get_num_entries");
  resolve(z.zip_open, "zip_open");
  resolve(z.zip_open_from_source, "zip_open_from_source");
  resolve(z.zip_set_file_compression, "zip_set_file_compression");
  resolve(z.zip_source_buffer, "zip_source_buffer");
  resolve(z.zip_source_buffer_create, "zip_source_buffer_create");
  resolve(z.zip_source_close, "zip_source_close");
  resolve(z.zip_source_error, "zip_source_error");
  resolve(z.zip_source_free, "zip_source_free");
  resolve(z.zip_source_keep, "zip_source_keep");
  resolve(z.zip_source_open, "zip_source_open");
  resolve(z.zip_source_read, "zip_source_read");
  resolve(z.zip_source_seek, "zip_source_seek");
  resolve(z.zip_source_tell, "zip_source_tell");
  resolve(z.zip_stat_index, "zip_stat_index");
  resolve(z.zip_stat_init, "zip_stat_init");
  if (!missing.isEmpty()) {
    loaded.failure = QStringLiteral("la libreria %1 non ha %2")
                         .arg(library.fileName(), missing.join(QStringLiteral(", ")));
  }
  // Never unloaded: the functions stay valid for the rest of the run.
  return loaded;
}

}  // namespace

const ZipLibrary* zipLibrary(QString* why) {
  static const Loaded loaded = load();
  if (!loaded.failure.isEmpty()) {
    if (why) *why = loaded.failure;
    return nullptr;
  }
  return &loaded.functions;
}

}  // namespace corvela
