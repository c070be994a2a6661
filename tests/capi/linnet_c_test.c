/* The C interface driven from plain C99: every function, every refusal (with the result, the
 * last error's number and message), and that a refusal leaves the control as it was. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "linnet/linnet.h"

static int failures = 0;

#define EXPECT(condition)                                                     \
  do {                                                                        \
    if (!(condition)) {                                                       \
      fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                             \
    }                                                                         \
  } while (0)

static const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

/* ---- Refusals on a live handle: each row is one call, its result, and the last error. ---- */

static unsigned char small_buffer[16];
static size_t small_size;

static linnet_result unknown_property(linnet_barcode* b) {
  return linnet_barcode_set_int(b, "NoSuchThing", 1);
}
static linnet_result null_name(linnet_barcode* b) {
  return linnet_barcode_set_int(b, NULL, 1);
}
static linnet_result text_to_integer(linnet_barcode* b) {
  return linnet_barcode_set_text(b, "BarHeight", "12");
}
static linnet_result double_to_text(linnet_barcode* b) {
  return linnet_barcode_set_double(b, "Message", 1.5);
}
static linnet_result bool_of_text(linnet_barcode* b) {
  int value = 0;
  return linnet_barcode_get_bool(b, "message", &value);
}
static linnet_result set_picture(linnet_barcode* b) {
  return linnet_barcode_set_int(b, "Picture", 0);
}
static linnet_result zero_bar_height(linnet_barcode* b) {
  return linnet_barcode_set_int(b, "BarHeight", 0);
}
static linnet_result zoom_too_large(linnet_barcode* b) {
  return linnet_barcode_set_double(b, "ZoomRatio", 1000.0);
}
static linnet_result short_overflow(linnet_barcode* b) {
  return linnet_barcode_set_int(b, "PDF417SecurityLevel", 100000);
}
static linnet_result unknown_enumerator(linnet_barcode* b) {
  return linnet_barcode_set_enum(b, "Symbology", "qlxAlignLeft");
}
static linnet_result enum_of_integer(linnet_barcode* b) {
  const char* name = NULL;
  return linnet_barcode_get_enum(b, "BarHeight", &name);
}
static linnet_result null_text(linnet_barcode* b) {
  return linnet_barcode_set_text(b, "Message", NULL);
}
static linnet_result null_output(linnet_barcode* b) {
  return linnet_barcode_get_int(b, "BarHeight", NULL);
}
static linnet_result buffer_too_small(linnet_barcode* b) {
  return linnet_barcode_export_buffer(b, LINNET_FORMAT_PNG, small_buffer, sizeof small_buffer, &small_size);
}
static linnet_result null_buffer_with_capacity(linnet_barcode* b) {
  return linnet_barcode_export_buffer(b, LINNET_FORMAT_PNG, NULL, 10, &small_size);
}
static linnet_result unwritable_file(linnet_barcode* b) {
  return linnet_barcode_export_file(b, "/nonexistent-dir/label.png", LINNET_FORMAT_PNG);
}
static linnet_result null_path(linnet_barcode* b) {
  return linnet_barcode_export_file(b, NULL, LINNET_FORMAT_PNG);
}

static linnet_result save_into_missing_folder(linnet_barcode* b) {
  return linnet_barcode_save(b, "/nonexistent-dir/label.xml", LINNET_PERSIST_XML);
}
static linnet_result load_missing_file(linnet_barcode* b) {
  return linnet_barcode_load(b, "/nonexistent-dir/label.xml", LINNET_PERSIST_XML);
}
static linnet_result load_garbage(linnet_barcode* b) {
  static const unsigned char garbage[] = "<nonsense";
  return linnet_barcode_load_memory(b, LINNET_PERSIST_XML, garbage, sizeof garbage - 1);
}
static linnet_result load_null_data(linnet_barcode* b) {
  return linnet_barcode_load_memory(b, LINNET_PERSIST_BINARY, NULL, 10);
}

static void refusals(void) {
  static const struct {
    const char* what;
    linnet_result (*call)(linnet_barcode*);
    linnet_result result;
    int32_t number;      /* the control's number, else the result itself */
    const char* message; /* a part of the message */
  } cases[] = {
      {"unknown property", unknown_property, LINNET_E_UNKNOWNNAME, LINNET_E_UNKNOWNNAME, "NoSuchThing"},
      {"NULL name", null_name, LINNET_E_POINTER, LINNET_E_POINTER, "NULL"},
      {"text for an integer", text_to_integer, LINNET_E_TYPEMISMATCH, LINNET_E_TYPEMISMATCH, "BarHeight"},
      {"double for text", double_to_text, LINNET_E_TYPEMISMATCH, LINNET_E_TYPEMISMATCH, "message"},
      {"boolean of text", bool_of_text, LINNET_E_TYPEMISMATCH, LINNET_E_TYPEMISMATCH, "message"},
      {"the picture is not served", set_picture, LINNET_E_TYPEMISMATCH, LINNET_E_TYPEMISMATCH, "Picture"},
      {"the control's range check", zero_bar_height, LINNET_CONTROL_ERROR(6116), 6116,
       "Invalid value for BarHeight property."},
      {"another control range", zoom_too_large, LINNET_CONTROL_ERROR(6104), 6104, "Zoom Ratio"},
      /* a 16-bit property: the conversion, not the setter, refuses */
      {"short overflow", short_overflow, LINNET_E_OVERFLOW, LINNET_E_OVERFLOW, "range"},
      {"enumerator of another enumeration", unknown_enumerator, LINNET_E_INVALIDARG, LINNET_E_INVALIDARG,
       "qlxAlignLeft"},
      {"enumerator name of an integer", enum_of_integer, LINNET_E_TYPEMISMATCH, LINNET_E_TYPEMISMATCH, "BarHeight"},
      {"NULL text", null_text, LINNET_E_POINTER, LINNET_E_POINTER, "NULL"},
      {"NULL output", null_output, LINNET_E_POINTER, LINNET_E_POINTER, "NULL"},
      {"buffer too small", buffer_too_small, LINNET_E_BUFFER_TOO_SMALL, LINNET_E_BUFFER_TOO_SMALL, "16 bytes"},
      {"NULL buffer with a capacity", null_buffer_with_capacity, LINNET_E_INVALIDARG, LINNET_E_INVALIDARG, "NULL"},
      {"file in a missing folder", unwritable_file, LINNET_CONTROL_ERROR(6107), 6107, "Failed to overwrite"},
      {"NULL path", null_path, LINNET_E_POINTER, LINNET_E_POINTER, "NULL"},
      {"save into a missing folder", save_into_missing_folder, LINNET_CONTROL_ERROR(6107), 6107, "Failed to"},
      {"load a missing file", load_missing_file, LINNET_CONTROL_ERROR(6114), 6114, "can not be loaded"},
      {"load bytes of no property file", load_garbage, LINNET_CONTROL_ERROR(6114), 6114, "can not be loaded"},
      {"NULL data with a size", load_null_data, LINNET_E_POINTER, LINNET_E_POINTER, "NULL"},
  };
  linnet_barcode* b = NULL;
  size_t i;
  EXPECT(linnet_barcode_new(&b) == LINNET_S_OK && b != NULL);
  EXPECT(linnet_barcode_set_int(b, "BarHeight", 700) == LINNET_S_OK);
  memset(small_buffer, 0xAA, sizeof small_buffer);
  for (i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    int32_t number = 0, height = 0;
    const char* message = NULL;
    const linnet_result result = cases[i].call(b);
    EXPECT(linnet_barcode_last_error(b, &number, &message) == LINNET_S_OK);
    if (result != cases[i].result || number != cases[i].number || message == NULL ||
        strstr(message, cases[i].message) == NULL) {
      fprintf(stderr, "%s: result 0x%08X, number %ld, message '%s'\n", cases[i].what, (unsigned)result, (long)number,
              message ? message : "(null)");
      ++failures;
    }
    /* nothing a refusal touches changes */
    EXPECT(linnet_barcode_get_int(b, "BarHeight", &height) == LINNET_S_OK && height == 700);
  }
  /* the too-small buffer learnt the size and kept its bytes */
  EXPECT(small_size > sizeof small_buffer);
  EXPECT(small_buffer[0] == 0xAA && small_buffer[15] == 0xAA);
  linnet_barcode_free(b);
}

/* ---- A NULL handle: every function says E_POINTER and nothing crashes. ---- */

static void null_handles(void) {
  int32_t i32 = 0;
  double d = 0;
  int flag = 0;
  char* text = NULL;
  const char* name = NULL;
  unsigned char* data = NULL;
  size_t size = 0;
  const linnet_result results[] = {
      linnet_barcode_new(NULL),
      linnet_barcode_last_error(NULL, &i32, &name),
      linnet_barcode_set_int(NULL, "BarHeight", 1),
      linnet_barcode_set_double(NULL, "ZoomRatio", 1.0),
      linnet_barcode_set_bool(NULL, "ShowHRText", 1),
      linnet_barcode_set_text(NULL, "Message", "A"),
      linnet_barcode_set_enum(NULL, "Symbology", "qlxCode39"),
      linnet_barcode_get_int(NULL, "BarHeight", &i32),
      linnet_barcode_get_double(NULL, "ZoomRatio", &d),
      linnet_barcode_get_bool(NULL, "ShowHRText", &flag),
      linnet_barcode_get_text(NULL, "Message", &text, &size),
      linnet_barcode_get_enum(NULL, "Symbology", &name),
      linnet_barcode_refresh(NULL),
      linnet_barcode_export_file(NULL, "x.png", LINNET_FORMAT_PNG),
      linnet_barcode_export_memory(NULL, LINNET_FORMAT_PNG, &data, &size),
      linnet_barcode_export_buffer(NULL, LINNET_FORMAT_PNG, NULL, 0, &size),
      linnet_barcode_set_error_callback(NULL, NULL, NULL),
      linnet_barcode_save(NULL, "x.xml", LINNET_PERSIST_XML),
      linnet_barcode_load(NULL, "x.xml", LINNET_PERSIST_XML),
      linnet_barcode_save_memory(NULL, LINNET_PERSIST_XML, &data, &size),
      linnet_barcode_load_memory(NULL, LINNET_PERSIST_XML, NULL, 0),
      linnet_format_named(NULL, &flag),
      linnet_format_named("png", NULL),
  };
  size_t i;
  for (i = 0; i < sizeof results / sizeof results[0]; ++i) {
    if (results[i] != LINNET_E_POINTER) {
      fprintf(stderr, "NULL call %u: result 0x%08X\n", (unsigned)i, (unsigned)results[i]);
      ++failures;
    }
  }
  EXPECT(text == NULL && data == NULL);
  linnet_barcode_free(NULL);
  linnet_free(NULL);
}

/* ---- The library and its property list. ---- */

static void library(void) {
  char expected[32];
  const unsigned v = linnet_version_number();
  size_t i, count = linnet_property_count();
  int found_bar_height = 0, format = -1;
  snprintf(expected, sizeof expected, "%u.%u.%u", v / 10000, v / 100 % 100, v % 100);
  EXPECT(strcmp(linnet_version_string(), expected) == 0);
  EXPECT(v / 10000 == 3);
  EXPECT(count > 50);
  for (i = 0; i < count; ++i) {
    const char* name = linnet_property_name(i);
    EXPECT(name != NULL && linnet_property_type(name) != 0);
    found_bar_height |= name != NULL && strcmp(name, "BarHeight") == 0;
  }
  EXPECT(found_bar_height);
  EXPECT(linnet_property_name(count) == NULL);
  EXPECT(linnet_property_type("MESSAGE") == LINNET_TYPE_TEXT); /* names ignore case */
  EXPECT(linnet_property_type("Symbology") == LINNET_TYPE_ENUM);
  EXPECT(linnet_property_type("BackColor") == LINNET_TYPE_COLOR);
  EXPECT(linnet_property_type("PDF417ModuleWidth") == LINNET_TYPE_INTEGER); /* extension property */
  EXPECT(linnet_property_type("NoSuchThing") == 0 && linnet_property_type(NULL) == 0);
  EXPECT(linnet_format_named(".TIFF", &format) == LINNET_S_OK && format == LINNET_FORMAT_TIF);
  EXPECT(linnet_format_named("png", &format) == LINNET_S_OK && format == LINNET_FORMAT_PNG);
  EXPECT(linnet_format_named("pngx", &format) == LINNET_E_INVALIDARG && format == LINNET_FORMAT_PNG);
}

/* ---- Values through each typed pair. ---- */

static void values(void) {
  linnet_barcode* b = NULL;
  int32_t i32 = 0, number = -1;
  double d = 0;
  int flag = -1;
  char* text = NULL;
  size_t length = 0;
  const char* name = NULL;
  const char* message = NULL;
  EXPECT(linnet_barcode_new(&b) == LINNET_S_OK);

  EXPECT(linnet_barcode_set_enum(b, "symbology", "QLXCODE128") == LINNET_S_OK);
  EXPECT(linnet_barcode_get_int(b, "Symbology", &i32) == LINNET_S_OK && i32 == 5);
  EXPECT(linnet_barcode_get_enum(b, "Symbology", &name) == LINNET_S_OK && strcmp(name, "qlxCode128") == 0);
  EXPECT(linnet_barcode_set_int(b, "Symbology", 40) == LINNET_S_OK);
  EXPECT(linnet_barcode_get_enum(b, "Symbology", &name) == LINNET_S_OK && strcmp(name, "qlxPDF417") == 0);
  EXPECT(linnet_barcode_set_enum(b, "Symbology", "qlxCode128") == LINNET_S_OK);

  /* UTF-8 in and out; "\xC3\xAB" (e with diaeresis) passes the control's code page */
  EXPECT(linnet_barcode_set_text(b, "Message", "Zo\xC3\xAB 42") == LINNET_S_OK);
  EXPECT(linnet_barcode_get_text(b, "Message", &text, &length) == LINNET_S_OK);
  EXPECT(text != NULL && strcmp(text, "Zo\xC3\xAB 42") == 0 && length == 7);
  linnet_free(text);

  /* a font is its text form; a size that is no number is refused and changes nothing */
  EXPECT(linnet_barcode_set_text(b, "CommentFont", "Courier New,12,bold") == LINNET_S_OK);
  EXPECT(linnet_barcode_set_text(b, "CommentFont", "Arial,huge") == LINNET_E_INVALIDARG);
  EXPECT(linnet_barcode_get_text(b, "CommentFont", &text, &length) == LINNET_S_OK);
  EXPECT(text != NULL && strcmp(text, "Courier New,12,bold") == 0);
  linnet_free(text);

  EXPECT(linnet_barcode_set_double(b, "NarrowToWideRatio", 2.25) == LINNET_S_OK);
  EXPECT(linnet_barcode_get_double(b, "NarrowToWideRatio", &d) == LINNET_S_OK && d == 2.25);
  EXPECT(linnet_barcode_set_bool(b, "ShowHRText", 0) == LINNET_S_OK);
  EXPECT(linnet_barcode_get_bool(b, "ShowHRText", &flag) == LINNET_S_OK && flag == 0);
  EXPECT(linnet_barcode_set_bool(b, "ShowHRText", 7) == LINNET_S_OK); /* any non-zero is true */
  EXPECT(linnet_barcode_get_bool(b, "ShowHRText", &flag) == LINNET_S_OK && flag == 1);
  /* a system colour keeps its top bit through the 32-bit integer */
  EXPECT(linnet_barcode_set_int(b, "BackColor", (int32_t)0x80000005u) == LINNET_S_OK);
  EXPECT(linnet_barcode_get_int(b, "BackColor", &i32) == LINNET_S_OK && (uint32_t)i32 == 0x80000005u);
  EXPECT(linnet_barcode_set_int(b, "MaxicodeMode", 3) == LINNET_S_OK); /* 16-bit extension property */
  EXPECT(linnet_barcode_get_int(b, "MaxicodeMode", &i32) == LINNET_S_OK && i32 == 3);
  EXPECT(linnet_barcode_refresh(b) == LINNET_S_OK);

  /* a success clears the error a refusal left */
  EXPECT(linnet_barcode_set_int(b, "BarHeight", 0) == LINNET_CONTROL_ERROR(6116));
  EXPECT(linnet_barcode_get_int(b, "BarHeight", &i32) == LINNET_S_OK);
  EXPECT(linnet_barcode_last_error(b, &number, &message) == LINNET_S_OK && number == 0 && strcmp(message, "") == 0);
  linnet_barcode_free(b);
}

/* ---- Export to memory, to the caller's buffer and to a file; the error callback. ---- */

struct callback_record {
  int calls;
  int32_t code;
};

static void record_error(void* user_data, int32_t code) {
  struct callback_record* record = (struct callback_record*)user_data;
  ++record->calls;
  record->code = code;
}

static void exports(void) {
  linnet_barcode* b = NULL;
  unsigned char* data = NULL;
  unsigned char* copy = NULL;
  unsigned char header[8];
  size_t size = 0, needed = 0, written = 0;
  const char* path = "capi_c_test.png";
  struct callback_record record = {0, 0};
  FILE* file;
  EXPECT(linnet_barcode_new(&b) == LINNET_S_OK);
  EXPECT(linnet_barcode_set_text(b, "Message", "C99") == LINNET_S_OK);

  EXPECT(linnet_barcode_export_memory(b, LINNET_FORMAT_PNG, &data, &size) == LINNET_S_OK);
  EXPECT(data != NULL && size > sizeof kPngSignature && memcmp(data, kPngSignature, 8) == 0);
  EXPECT(linnet_barcode_export_buffer(b, LINNET_FORMAT_PNG, NULL, 0, &needed) == LINNET_S_OK && needed == size);
  copy = (unsigned char*)malloc(needed);
  EXPECT(copy != NULL);
  if (copy != NULL) {
    EXPECT(linnet_barcode_export_buffer(b, LINNET_FORMAT_PNG, copy, needed, &written) == LINNET_S_OK);
    EXPECT(written == size && memcmp(copy, data, size) == 0); /* the same label both ways */
    free(copy);
  }
  linnet_free(data);

  remove(path);
  EXPECT(linnet_barcode_export_file(b, path, LINNET_FORMAT_PNG) == LINNET_S_OK);
  file = fopen(path, "rb");
  EXPECT(file != NULL && fread(header, 1, 8, file) == 8 && memcmp(header, kPngSignature, 8) == 0);
  if (file != NULL) {
    fclose(file);
  }
  remove(path);

  /* DataBar Expanded cannot encode "ABC": the label carries the error text and the callback
   * hears the engine's code; after the callback is removed nothing more arrives. */
  EXPECT(linnet_barcode_set_error_callback(b, record_error, &record) == LINNET_S_OK);
  EXPECT(linnet_barcode_set_enum(b, "Symbology", "qlxDataBarExpanded") == LINNET_S_OK);
  EXPECT(linnet_barcode_set_text(b, "Message", "ABC") == LINNET_S_OK);
  EXPECT(linnet_barcode_export_memory(b, LINNET_FORMAT_BMP, &data, &size) == LINNET_S_OK);
  linnet_free(data);
  EXPECT(record.calls == 1 && record.code == 10);
  EXPECT(linnet_barcode_set_error_callback(b, NULL, NULL) == LINNET_S_OK);
  EXPECT(linnet_barcode_export_memory(b, LINNET_FORMAT_BMP, &data, &size) == LINNET_S_OK);
  linnet_free(data);
  EXPECT(record.calls == 1);
  linnet_barcode_free(b);
}

/* ---- Save and load: through files and memory, in both forms, a second control gets the first's
 * settings back. ---- */

static void persistence(void) {
  static const struct {
    const char* what;
    int form;
    int through_file;
  } cases[] = {
      {"XML in memory", LINNET_PERSIST_XML, 0},
      {"binary in memory", LINNET_PERSIST_BINARY, 0},
      {"XML file", LINNET_PERSIST_XML, 1},
      {"binary file", LINNET_PERSIST_BINARY, 1},
  };
  const char* path = "capi_c_test.lnx";
  size_t i;
  for (i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    linnet_barcode* saved = NULL;
    linnet_barcode* loaded = NULL;
    unsigned char* data = NULL;
    size_t size = 0, length = 0;
    int32_t height = 0, symbology = 0;
    char* message = NULL;
    linnet_result result;
    EXPECT(linnet_barcode_new(&saved) == LINNET_S_OK && linnet_barcode_new(&loaded) == LINNET_S_OK);
    EXPECT(linnet_barcode_set_enum(saved, "Symbology", "qlxPDF417") == LINNET_S_OK);
    EXPECT(linnet_barcode_set_text(saved, "Message", "saved <&> \"here\"") == LINNET_S_OK);
    EXPECT(linnet_barcode_set_int(saved, "BarHeight", 777) == LINNET_S_OK);
    if (cases[i].through_file) {
      remove(path);
      EXPECT(linnet_barcode_save(saved, path, cases[i].form) == LINNET_S_OK);
      result = linnet_barcode_load(loaded, path, cases[i].form);
      remove(path);
    } else {
      EXPECT(linnet_barcode_save_memory(saved, cases[i].form, &data, &size) == LINNET_S_OK && size > 0);
      result = linnet_barcode_load_memory(loaded, cases[i].form, data, size);
      linnet_free(data);
    }
    EXPECT(linnet_barcode_get_int(loaded, "Symbology", &symbology) == LINNET_S_OK);
    EXPECT(linnet_barcode_get_int(loaded, "BarHeight", &height) == LINNET_S_OK);
    EXPECT(linnet_barcode_get_text(loaded, "Message", &message, &length) == LINNET_S_OK);
    if (result != LINNET_S_OK || symbology != 40 || height != 777 || message == NULL ||
        strcmp(message, "saved <&> \"here\"") != 0) {
      fprintf(stderr, "%s: result 0x%08X, symbology %ld, height %ld, message '%s'\n", cases[i].what, (unsigned)result,
              (long)symbology, (long)height, message ? message : "(null)");
      ++failures;
    }
    linnet_free(message);
    linnet_barcode_free(saved);
    linnet_barcode_free(loaded);
  }
}

int main(void) {
  library();
  null_handles();
  values();
  refusals();
  exports();
  persistence();
  if (failures != 0) {
    fprintf(stderr, "%d failures\n", failures);
    return 1;
  }
  printf("C interface: all checks passed\n");
  return 0;
}
