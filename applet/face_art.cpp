#include "applet/face_art.h"

// Both files are written by tools/gen_face.py with face_layout.h; edit the generator, not the files.
#include "applet/art/face.xpm"
#include "applet/art/face_mask.xbm"

namespace dockorrery {

static_assert(sizeof face_xpm / sizeof face_xpm[0] == kFaceXpmLines);
static_assert(face_mask_width == kFaceMaskWidth && face_mask_height == kFaceMaskHeight);
static_assert(sizeof face_mask_bits == kFaceMaskWidth / 8 * kFaceMaskHeight);

const char* const* const faceXpm = face_xpm;
const unsigned char* const faceMaskBits = face_mask_bits;

}  // namespace dockorrery
