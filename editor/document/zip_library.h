#pragma once
// libzip, loaded the first time a skin goes into or comes out of a .zip.
// Linked like the other libraries, it and the cryptography it brings along
// would cost every start of the editor and of corvela-skin a few
// milliseconds, for a file most sessions never touch.

#include <zip.h>

#include <QString>

namespace corvela {

struct ZipLibrary {
  decltype(&::zip_close) zip_close;
  decltype(&::zip_discard) zip_discard;
  decltype(&::zip_error_code_system) zip_error_code_system;
  decltype(&::zip_error_code_zip) zip_error_code_zip;
  decltype(&::zip_error_fini) zip_error_fini;
  decltype(&::zip_error_init) zip_error_init;
  decltype(&::zip_error_init_with_code) zip_error_init_with_code;
  decltype(&::zip_error_strerror) zip_error_strerror;
  decltype(&::zip_fclose) zip_fclose;
  decltype(&::zip_file_add) zip_file_add;
  decltype(&::zip_file_get_error) zip_file_get_error;
  decltype(&::zip_file_get_external_attributes) zip_file_get_external_attributes;
  decltype(&::zip_file_set_dostime) zip_file_set_dostime;
  decltype(&::zip_file_set_external_attributes) zip_file_set_external_attributes;
  decltype(&::zip_fopen_index) zip_fopen_index;
  decltype(&::zip_fread) zip_fread;
  decltype(&::zip_get_error) zip_get_error;
  decltype(&::zip_get_name) zip_get_name;
  decltype(&::zip_get_num_entries) zip_get_num_entries;
  decltype(&::zip_open) zip_open;
  decltype(&::zip_open_from_source) zip_open_from_source;
  decltype(&::zip_set_file_compression) zip_set_file_compression;
  decltype(&::zip_source_buffer) zip_source_buffer;
  decltype(&::zip_source_buffer_create) zip_source_buffer_create;
  decltype(&::zip_source_close) zip_source_close;
  decltype(&::zip_source_error) zip_source_error;
  decltype(&::zip_source_free) zip_source_free;
  decltype(&::zip_source_keep) zip_source_keep;
  decltype(&::zip_source_open) zip_source_open;
  decltype(&::zip_source_read) zip_source_read;
  decltype(&::zip_source_seek) zip_source_seek;
  decltype(&::zip_source_tell) zip_source_tell;
  decltype(&::zip_stat_index) zip_stat_index;
  decltype(&::zip_stat_init) zip_stat_init;
};

// The library, or null when it cannot be loaded, with the reason in `why`
// (naming the library).
const ZipLibrary* zipLibrary(QString* why);

}  // namespace corvela
