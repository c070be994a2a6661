/* label.c: a Code 128 label written to a PNG file through the Linnet C interface.
 * Usage: label_c OUTPUT.png [MESSAGE] */
#include <linnet/linnet.h>
#include <stdio.h>

/* Prints the handle's last error and gives the exit status. */
static int fail(linnet_barcode* barcode, const char* what) {
  int32_t number = 0;
  const char* message = "";
  linnet_barcode_last_error(barcode, &number, &message);
  fprintf(stderr, "%s: error %ld: %s\n", what, (long)number, message);
  linnet_barcode_free(barcode);
  return 1;
}

int main(int argc, char** argv) {
  linnet_barcode* barcode = NULL;
  const char* message = argc > 2 ? argv[2] : "Linnet from C";
  if (argc < 2) {
    fprintf(stderr, "usage: %s OUTPUT.png [MESSAGE]\n", argv[0]);
    return 2;
  }
  if (LINNET_FAILED(linnet_barcode_new(&barcode))) {
    fprintf(stderr, "cannot create a barcode\n");
    return 1;
  }
  if (LINNET_FAILED(linnet_barcode_set_enum(barcode, "Symbology", "qlxCode128")) ||
      LINNET_FAILED(linnet_barcode_set_text(barcode, "Message", message)) ||
      LINNET_FAILED(linnet_barcode_set_bool(barcode, "ShowComment", 0))) {
    return fail(barcode, "settings");
  }
  /* A refused value comes back with the control's number and message. */
  if (linnet_barcode_set_int(barcode, "BarHeight", 0) == LINNET_CONTROL_ERROR(6116)) {
    int32_t number = 0;
    const char* text = "";
    linnet_barcode_last_error(barcode, &number, &text);
    printf("BarHeight 0 refused: %ld %s\n", (long)number, text);
  }
  if (LINNET_FAILED(linnet_barcode_export_file(barcode, argv[1], LINNET_FORMAT_PNG))) {
    return fail(barcode, argv[1]);
  }
  printf("wrote %s with linnet %s\n", argv[1], linnet_version_string());
  linnet_barcode_free(barcode);
  return 0;
}
