// Quad colouring for GL 3 and newer, shared by both quad fragment programs (quad130.fglsl,
// quad130_lean.fglsl); the colouring itself is in quad_colour.glsl.
in vec2 uv;
in vec2 unit;
flat in vec4 qCol;
flat in vec4 qCol2;
flat in vec2 qUd;
flat in ivec2 qUdi;
flat in int qTyp;
flat in int qGrayscale;
flat in float qFill;
out vec4 fragColour;
// The texel is always fetched, so derivatives stay defined; a fill takes white instead.
#define SAMPLE(c) Fill(texture(tex0, c))
vec4 Fill(vec4 texel) { return qFill > 0.5 ? vec4(1.0) : texel; }
£include quad_colour.glsl
void main() {
  typ = qTyp;
  col = qCol;
  col2 = qCol2;
  ud = qUd;
  udi = qUdi;
  grayscale = qGrayscale;
  fragColour = QuadColour();
}
