#pragma once
// The label's background and border.

namespace linnet {

class CQlnBarcode;
class DrawingSurface;

// Fills the natural-size rectangle at the drawing origin, less the border width on every
// side, in BackColor; with a border style and width, as a rounded rectangle outlined with
// the border pen (corners of five border widths).
void DrawBackground(const CQlnBarcode& control, DrawingSurface& surface);

}  // namespace linnet
