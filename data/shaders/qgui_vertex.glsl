// The element shader vertex stage, shared by QGUI2, QGUI3 and QGUI4; each defines
// VERTEX_IN and VERTEX_OUT for its GLSL version first. Same interface as the quad program:
//   attr0  position in the unit square      attr1  texture coordinate
//   ModelMatrix, ViewMatrix, ProjMatrix      the GL object's matrices (pixel space in 2-D mode)
//   QS  target rectangle x, y, w, h in pixels (y from the bottom)
//   TO  texture rectangle u, v, du, dv
// The fragment stage gets the texture coordinate (uv) and the position within the
// element (unit, 0..1 from the lower left corner).
VERTEX_IN vec3 attr0;
VERTEX_IN vec2 attr1;
uniform mat4 ModelMatrix;
uniform mat4 ViewMatrix;
uniform mat4 ProjMatrix;
uniform vec4 QS;
uniform vec4 TO;
VERTEX_OUT vec2 uv;
VERTEX_OUT vec2 unit;
void main() {
  unit = attr0.xy;
  uv = TO.xy + attr1 * TO.zw;
  vec4 p = vec4(QS.xy + attr0.xy * QS.zw, 0.0, 1.0);
  gl_Position = ProjMatrix * ViewMatrix * ModelMatrix * p;
}
