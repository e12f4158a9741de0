// What the quad types do. The settings of the quad being drawn (the includer fills these
// globals from its inputs before calling QuadColour):
//   tex0       the bound texture (SAMPLE gives white for solid fills)
//   typ        0 textured and tinted by col; 1 the same (resting value between draws);
//              2 coverage text: tex0's red channel is the glyph's coverage;
//              3 two-colour fill: col at the top edge blending to col2 at the bottom, times the texel;
//              4 distance-field text: tex0's red channel is the distance field, 0.5 on the outline
//   col        tint (and text colour)
//   col2       second colour: bottom of the two-colour fill
//   ud         distance-field thresholds: the edge is drawn at the middle of ud.x .. ud.y;
//              (0, 0.58) is the reset value
//   udi        udi.x = 1 draws distance-field text with a dark outline
//   grayscale  1 turns the result into its luminance (disabled controls)
uniform sampler2D tex0;
int typ;
vec4 col;
vec4 col2;
vec2 ud;
ivec2 udi;
int grayscale;

// Text. Font pages are 512 x 512; a distance field is 0.5 on the outline and moves
// by 1/16 per texel. The middle of the ud ramp is where the edge is drawn (below 0.5
// is bolder, pulled toward the outline so small text thickens but does not blur
// together); the ramp itself is kept to one screen pixel, which keeps text sharp
// from a quarter to four times its size.
const float kPageTexels = 512.0;
const float kBoldPull = 0.4;

float EdgeCoverage(float d, float edge, float ramp) {
  return smoothstep(edge - ramp, edge + ramp, d);
}

// Minified text averages four samples of its pixel's footprint (a rotated grid)
// instead of skipping texels. dx, dy: the texture step of one pixel across and up;
// texel: the sample at `at` itself. Only the program built with MINIFIED_TEXT has the
// filter; the renderer sends no text minified past 1.5 texels a pixel to the other.
float FieldAt(vec2 at, vec4 texel, vec2 dx, vec2 dy, float texelsPerPixel) {
#ifdef MINIFIED_TEXT
  if (texelsPerPixel <= 1.5) return texel.r;
  return 0.25 * (SAMPLE(at + dx * 0.125 + dy * 0.375).r + SAMPLE(at - dx * 0.125 - dy * 0.375).r +
                 SAMPLE(at + dx * 0.375 - dy * 0.125).r + SAMPLE(at - dx * 0.375 + dy * 0.125).r);
#else
  return texel.r;
#endif
}

vec4 DistanceText(vec4 texel) {
  vec2 dx = dFdx(uv);
  vec2 dy = dFdy(uv);
  float texelsPerPixel = length(fwidth(uv) * kPageTexels) * 0.7071;
  float d = FieldAt(uv, texel, dx, dy, texelsPerPixel);
  float lo = ud.x;
  float hi = ud.y;
  if (hi < lo) { float t = lo; lo = hi; hi = t; }
  float edge = 0.5 - (0.5 - 0.5 * (lo + hi)) * kBoldPull;
  float pixel = max(texelsPerPixel, 0.05) / 16.0;  // field units per screen pixel
  float ramp = 0.5 * pixel;
  float body = EdgeCoverage(d, edge, ramp);
  if (udi.x == 1) {
    // Outline text: a dark rim of about a pixel and a half, wider when enlarged.
    float rim = max(1.5 * pixel, 0.06);
    float halo = EdgeCoverage(d, edge - rim, ramp);
    return vec4(col.rgb * body, col.a * halo);
  }
  return vec4(col.rgb, col.a * body);
}

// Plain coverage: exact at scale 1; enlarged, the edge ramp is steepened back to
// about a pixel instead of spreading over the magnified texels.
vec4 CoverageText(vec4 texel) {
  float c = texel.r;
  float magnification = 1.0 / max(length(fwidth(uv) * kPageTexels) * 0.7071, 0.001);
  if (magnification > 1.0) c = clamp(0.5 + (c - 0.5) * magnification, 0.0, 1.0);
  return vec4(col.rgb, col.a * c);
}

// Every type reads the texel at uv: it is sampled once, outside the branches, since
// a software rasteriser may run every branch for a block whose pixels disagree.
vec4 QuadColour() {
  vec4 texel = SAMPLE(uv);
  vec4 c;
  if (typ == 2) {
    c = CoverageText(texel);
  } else if (typ == 3) {
    c = texel * mix(col2, col, unit.y);
  } else if (typ == 4) {
    c = DistanceText(texel);
  } else {
    c = texel * col;
  }
  if (grayscale == 1) {
    float l = dot(c.rgb, vec3(0.299, 0.587, 0.114));
    c.rgb = vec3(l);
  }
  return c;
}
