/*
 * linnet.h: the stable C interface of the Linnet barcode control (plain C99).
 *
 * A linnet_barcode is one control: its properties, its label and its events. Properties are
 * reached by their automation names (case-insensitive, e.g. "Symbology", "Message",
 * "BarHeight", and the extension properties such as "PDF417ModuleWidth"); the list comes
 * from the library itself through linnet_property_count/linnet_property_name, so this header
 * never changes when a property is added.
 *
 * RESULTS. Every function that can fail returns a linnet_result, the control's HRESULT:
 *   - LINNET_S_OK (0) on success; LINNET_S_FALSE (1), also a success, when a setter took the
 *     call but the value did not take effect (unchanged, or not used by the symbology), or
 *     when a value has no enumerator name;
 *   - LINNET_CONTROL_ERROR(n) when the control refused: n is its error number 6102..6123
 *     (6116 for a bad BarHeight, 6107 for a file that could not be written, 6114 for one that
 *     could not be loaded) or the encoding engine's own code;
 *   - one of the general codes below (LINNET_E_POINTER for a NULL pointer, LINNET_E_INVALIDARG
 *     for an invalid argument, ...).
 *   Failures are negative: test them with LINNET_FAILED(r). A failing call changes nothing,
 *   except a load, which keeps the values read before the entry that failed (as the control's
 *   Load does, and stored files rely on).
 *
 * LAST ERROR. After every other call on a handle, linnet_barcode_last_error tells what the call's
 * failure was: its number (the control's 61xx number or the engine's code, else the result
 * itself) and its message in UTF-8. A successful call clears it. Calls given a NULL handle have
 * nowhere to record one and only return LINNET_E_POINTER.
 *
 * OWNERSHIP. A non-const pointer the library hands out is the caller's: a handle is freed with
 * linnet_barcode_free, any other buffer (text, image bytes) with linnet_free, and buffers come
 * with a size_t length. A const pointer is borrowed: names are static and live as long as the
 * library; the last-error message lives until the next call on that handle. Strings passed in
 * are copied before the call returns.
 *
 * THREADS. A handle is used by one thread at a time; different handles may be used on
 * different threads at the same time (shared state, such as the font cache, is locked inside
 * the library). Callbacks run on the thread making the call that fires them, during that call;
 * a callback must not free the handle it is called for.
 */
#ifndef LINNET_LINNET_H
#define LINNET_LINNET_H

#include <stddef.h>
#include <stdint.h>

#if defined(LINNET_BUILDING_LIBRARY) && defined(__GNUC__)
#define LINNET_API __attribute__((visibility("default")))
#else
#define LINNET_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t linnet_result;

#define LINNET_S_OK ((linnet_result)0)
#define LINNET_S_FALSE ((linnet_result)1)
#define LINNET_E_NOTIMPL ((linnet_result)0x80004001u)
#define LINNET_E_POINTER ((linnet_result)0x80004003u)
#define LINNET_E_FAIL ((linnet_result)0x80004005u)
#define LINNET_E_OUTOFMEMORY ((linnet_result)0x8007000Eu)
#define LINNET_E_INVALIDARG ((linnet_result)0x80070057u)
/* The buffer given is smaller than the result; *size tells the size needed. */
#define LINNET_E_BUFFER_TOO_SMALL ((linnet_result)0x8007007Au)
/* The typed function does not serve the property's type, or the value does not convert. */
#define LINNET_E_TYPEMISMATCH ((linnet_result)0x80020005u)
#define LINNET_E_OVERFLOW ((linnet_result)0x8002000Au)
/* No property (or enumerator) of that name. */
#define LINNET_E_UNKNOWNNAME ((linnet_result)0x80020006u)
#define LINNET_CONTROL_ERROR(number) ((linnet_result)(0x83280000u + (uint32_t)(number)))
#define LINNET_FAILED(result) ((result) < 0)

/* The value type of a property, as linnet_property_type reports it. */
typedef enum linnet_type {
  LINNET_TYPE_BOOLEAN = 1, /* linnet_barcode_set_bool / _get_bool */
  LINNET_TYPE_INTEGER = 2, /* _set_int / _get_int */
  LINNET_TYPE_DOUBLE = 3,  /* _set_double / _get_double */
  LINNET_TYPE_TEXT = 4,    /* _set_text / _get_text, UTF-8 */
  LINNET_TYPE_COLOR = 5,   /* _set_int / _get_int: the 32 bits 0x00BBGGRR (0x80...: system colour) */
  LINNET_TYPE_FONT = 6,    /* _set_text / _get_text: "Name[,points][,bold][,italic][,underline][,strikethrough]" */
  LINNET_TYPE_PICTURE = 7, /* not available */
  LINNET_TYPE_ENUM = 8     /* _set_int / _get_int by number, _set_enum / _get_enum by enumerator name */
} linnet_type;

/* Image formats of the export functions (the control's qlxFormat numbers); any other number
 * writes JPEG, as the control's ExportImage does. */
typedef enum linnet_format {
  LINNET_FORMAT_BMP = 0,
  LINNET_FORMAT_JPG = 1,
  LINNET_FORMAT_GIF = 2,
  LINNET_FORMAT_TIF = 3,
  LINNET_FORMAT_PNG = 5,
  LINNET_FORMAT_EMF = 6,
  LINNET_FORMAT_WMF = 7
} linnet_format;

/* Property file forms of Save and Load. */
typedef enum linnet_persist_format {
  LINNET_PERSIST_BINARY = 0, /* the compound file with the "Contents" stream */
  LINNET_PERSIST_XML = 1
} linnet_persist_format;

typedef struct linnet_barcode linnet_barcode;

/* Called when the control cannot encode its message and draws the error text instead of the
 * symbol; `code` is the engine's error code (the export itself still succeeds). */
typedef void (*linnet_barcode_error_callback)(void* user_data, int32_t code);

/* ---- Library ------------------------------------------------------------------------------ */

/* MAJOR * 10000 + MINOR * 100 + PATCH of the library actually loaded. */
LINNET_API unsigned linnet_version_number(void);
/* "MAJOR.MINOR.PATCH", static. */
LINNET_API const char* linnet_version_string(void);
/* Frees a buffer the library handed out; NULL does nothing. */
LINNET_API void linnet_free(void* buffer);

/* The properties, in the control's order: count, then names by index (NULL past the end),
 * and the type of a named property (0 when there is none). */
LINNET_API size_t linnet_property_count(void);
LINNET_API const char* linnet_property_name(size_t index);
LINNET_API int linnet_property_type(const char* name);

/* An image format by name or file extension ("png", ".PNG", "tiff"): LINNET_S_OK and *format,
 * else LINNET_E_INVALIDARG. */
LINNET_API linnet_result linnet_format_named(const char* name, int* format);

/* ---- Handles ------------------------------------------------------------------------------ */

/* A new control with its default properties in *out (NULL on failure). */
LINNET_API linnet_result linnet_barcode_new(linnet_barcode** out);
/* Frees the control; NULL does nothing. */
LINNET_API void linnet_barcode_free(linnet_barcode* barcode);

/* The failure of the last call on this handle: *number and *message (either may be NULL).
 * After a successful call *number is 0 and *message "". */
LINNET_API linnet_result linnet_barcode_last_error(const linnet_barcode* barcode, int32_t* number,
                                                   const char** message);

/* ---- Properties --------------------------------------------------------------------------- */
/* Each typed function serves the property types named beside linnet_type; any other type gives
 * LINNET_E_TYPEMISMATCH. A value the control refuses gives its error (for example
 * LINNET_CONTROL_ERROR(6116) for BarHeight 0) and leaves the property as it was. */

LINNET_API linnet_result linnet_barcode_set_int(linnet_barcode* barcode, const char* name, int32_t value);
LINNET_API linnet_result linnet_barcode_set_double(linnet_barcode* barcode, const char* name, double value);
/* Any non-zero value is true. */
LINNET_API linnet_result linnet_barcode_set_bool(linnet_barcode* barcode, const char* name, int value);
LINNET_API linnet_result linnet_barcode_set_text(linnet_barcode* barcode, const char* name, const char* utf8);
/* An enumerator of the property's enumeration by name, case-insensitive ("qlxCode128"). */
LINNET_API linnet_result linnet_barcode_set_enum(linnet_barcode* barcode, const char* name, const char* enumerator);

LINNET_API linnet_result linnet_barcode_get_int(linnet_barcode* barcode, const char* name, int32_t* value);
LINNET_API linnet_result linnet_barcode_get_double(linnet_barcode* barcode, const char* name, double* value);
/* *value is 1 or 0. */
LINNET_API linnet_result linnet_barcode_get_bool(linnet_barcode* barcode, const char* name, int* value);
/* *utf8 is the caller's, NUL-terminated, freed with linnet_free; *length (may be NULL) its
 * length in bytes without the NUL. */
LINNET_API linnet_result linnet_barcode_get_text(linnet_barcode* barcode, const char* name, char** utf8,
                                                 size_t* length);
/* *enumerator is static; a value without an enumerator name gives LINNET_S_FALSE and NULL. */
LINNET_API linnet_result linnet_barcode_get_enum(linnet_barcode* barcode, const char* name, const char** enumerator);

/* ---- Methods ------------------------------------------------------------------------------ */

/* Lays the label out again (a no-op for a label without host). */
LINNET_API linnet_result linnet_barcode_refresh(linnet_barcode* barcode);

/* Draws the label and writes it to `path` (UTF-8) in `format`. An existing file is replaced
 * only when it is a plain writable file named like an image; a failure leaves no partial file
 * (LINNET_CONTROL_ERROR(6107)). */
LINNET_API linnet_result linnet_barcode_export_file(linnet_barcode* barcode, const char* path, int format);

/* Draws the label into a new buffer: *data is the caller's (linnet_free), *size its length. */
LINNET_API linnet_result linnet_barcode_export_memory(linnet_barcode* barcode, int format, unsigned char** data,
                                                      size_t* size);

/* Draws the label into the caller's buffer. With buffer NULL and capacity 0 it only sets *size
 * to the size needed; with a buffer shorter than that it gives LINNET_E_BUFFER_TOO_SMALL, sets
 * *size and leaves the buffer untouched. Each call draws the label again. */
LINNET_API linnet_result linnet_barcode_export_buffer(linnet_barcode* barcode, int format, unsigned char* buffer,
                                                      size_t capacity, size_t* size);

/* Writes the control's properties to the property file `path` (UTF-8). An existing file is
 * replaced only when named like a property file (.lnx, .lnx3, .qlx, .xml); a failure leaves
 * no partial file (LINNET_CONTROL_ERROR(6107)). */
LINNET_API linnet_result linnet_barcode_save(linnet_barcode* barcode, const char* path, int persist_format);
/* Reads the properties from the property file `path`; a file that cannot be read or is not a
 * property file of that form gives LINNET_CONTROL_ERROR(6114). */
LINNET_API linnet_result linnet_barcode_load(linnet_barcode* barcode, const char* path, int persist_format);
/* The same property file in a new buffer: *data is the caller's (linnet_free), *size its length. */
LINNET_API linnet_result linnet_barcode_save_memory(linnet_barcode* barcode, int persist_format, unsigned char** data,
                                                    size_t* size);
/* Reads the properties from `size` bytes at `data`, which the library does not keep. */
LINNET_API linnet_result linnet_barcode_load_memory(linnet_barcode* barcode, int persist_format,
                                                    const unsigned char* data, size_t size);

/* Calls `callback(user_data, code)` whenever the control fires BarcodeError; NULL stops it. */
LINNET_API linnet_result linnet_barcode_set_error_callback(linnet_barcode* barcode,
                                                           linnet_barcode_error_callback callback, void* user_data);

#ifdef __cplusplus
}
#endif

#endif /* LINNET_LINNET_H */
