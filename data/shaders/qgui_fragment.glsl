// What every element fragment shader gets. GLSL 1.20, so that one fragment file links
// with each of the QGUI vertex stages.
//   tex0         the element's main texture (white when it has none)
//   iResolution  the element's shader resolution in pixels
//   iGlobalTime  seconds since the shader was loaded
//   iMouse       x, y, and z > 0 while a button is held (zero when the element sends none)
//   uv           texture coordinate; unit  position within the element, 0..1 from the lower left
uniform sampler2D tex0;
uniform vec2 iResolution;
uniform float iGlobalTime;
uniform vec4 iMouse;
varying vec2 uv;
varying vec2 unit;

// The element's pixel position at its shader resolution.
vec2 ElementPixel() { return unit * max(iResolution, vec2(1.0)); }

// Signed distance to the element's rectangle with rounded corners (negative inside).
float ElementEdge(vec2 pixel, float radius) {
  vec2 halfSize = 0.5 * max(iResolution, vec2(1.0));
  vec2 q = abs(pixel - halfSize) - (halfSize - radius);
  return length(max(q, 0.0)) + min(max(q.x, q.y), 0.0) - radius;
}

// Coverage of the rounded rectangle, anti-aliased over one pixel.
float ElementMask(vec2 pixel, float radius) { return clamp(0.5 - ElementEdge(pixel, radius), 0.0, 1.0); }
