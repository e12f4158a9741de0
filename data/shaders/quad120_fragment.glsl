// Quad colouring for GL 2, shared by both quad fragment programs (quad120.fglsl,
// quad120_lean.fglsl); the colouring itself is in quad_colour.glsl.
varying vec2 uv;
varying vec2 unit;
varying vec4 qCol;
varying vec4 qCol2;
varying vec2 qUd;
varying vec2 qUdi;
varying float qTyp;
varying float qGrayscale;
varying float qFill;
// The texel is always fetched, so derivatives stay defined; a fill takes white instead.
#define SAMPLE(c) Fill(texture2D(tex0, c))
vec4 Fill(vec4 texel) { return qFill > 0.5 ? vec4(1.0) : texel; }
£include quad_colour.glsl
void main() {
  typ = int(qTyp + 0.5);
  col = qCol;
  col2 = qCol2;
  ud = qUd;
  udi = ivec2(floor(qUdi + 0.5));
  grayscale = int(qGrayscale + 0.5);
  gl_FragColor = QuadColour();
}
