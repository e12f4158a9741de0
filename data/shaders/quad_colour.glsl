// What the quad types do. Uniforms:
//   tex0       the bound texture (the white texture for solid fills)
//   typ        0 textured and tinted by col; 1 the same (resting value between draws);
//              2 coverage text: tex0's red channel is the glyph's coverage;
//              3 two-colour fill: col at the top edge blending to col2 at the bottom, times the texel;
//              4 distance-field text: tex0's red channel is the distance field, 0.5 on the outline
//   col        tint (and text colour)
//   col2       second colour: bottom of the two-colour fill, outline colour of text
//   ud         distance-field thresholds: coverage rises from ud.x to ud.y; (0, 0.58) is the reset value
//   udi        udi.x = 1 draws distance-field text with an outline in col2
//   grayscale  1 turns the result into its luminance (disabled controls)
uniform sampler2D tex0;
uniform int typ;
uniform vec4 col;
uniform vec4 col2;
uniform vec2 ud;
uniform ivec2 udi;
uniform int grayscale;

float FieldCoverage(float d, float lo, float hi) {
  // Widen the ramp to at least one screen pixel so small text stays smooth.
  float w = max(fwidth(d) * 0.75, 0.001);
  float a = min(lo, hi);
  float b = max(max(lo, hi), a + w);
  return smoothstep(a - w * 0.5, b + w * 0.5, d);
}

vec4 DistanceText(float d) {
  float lo = ud.x;
  float hi = ud.y;
  if (hi <= lo) { lo = 0.45; hi = 0.55; }
  float body = FieldCoverage(d, lo, hi);
  if (udi.x == 1) {
    float halo = FieldCoverage(d, lo - 0.25, hi - 0.25);
    vec3 rgb = mix(col2.rgb, col.rgb, body);
    return vec4(rgb, col.a * halo);
  }
  return vec4(col.rgb, col.a * body);
}

vec4 QuadColour() {
  vec4 texel = SAMPLE(uv);
  vec4 c;
  if (typ == 2) {
    c = vec4(col.rgb, col.a * texel.r);
  } else if (typ == 3) {
    c = texel * mix(col2, col, unit.y);
  } else if (typ == 4) {
    c = DistanceText(texel.r);
  } else {
    c = texel * col;
  }
  if (grayscale == 1) {
    float l = dot(c.rgb, vec3(0.299, 0.587, 0.114));
    c.rgb = vec3(l);
  }
  return c;
}
