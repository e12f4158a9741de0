// What an instance asks of its pixels, worked out once per vertex instead of per pixel.
// Atlas kinds (attr4.x mod 4): 0 coverage / auxiliary / palette index (blue, green, red),
// 1 colour with opacity ("A"), 2 one intensity channel in blue ("E").
// mode 1 colours through the palettes; any other mode shows the atlas texels as stored.
const vec4 kIndexChannel[4] = vec4[4](vec4(1.0, 0.0, 0.0, 0.0), vec4(0.0), vec4(0.0, 0.0, 1.0, 0.0), vec4(0.0));
const float kPaletted[4] = float[4](1.0, 0.0, 1.0, 0.0);

// paletteAt: texel column and row of palette entry 0 in the palette page, split here on
// exact integers (interpolating millions would lose texels). indexChannel picks the
// palette index out of the atlas texel, alphaChannel its opacity; alphaChannel.w is 1
// exactly when the texel is shown as it is.
void InstanceColouring(vec3 instance, float mode, out vec2 paletteAt, out vec4 indexChannel, out vec4 alphaChannel) {
  int kind = int(mod(instance.x, 4.0) + 0.5);
  bool paletted = mode > 0.5 && mode < 1.5 && kPaletted[kind] > 0.5;
  indexChannel = kIndexChannel[kind];
  alphaChannel = paletted ? vec4(0.0, 0.0, 1.0, 0.0) : vec4(0.0, 0.0, 0.0, 1.0);
  float row = floor(instance.y / 2048.0);
  paletteAt = floor(vec2(instance.y - row * 2048.0, row) + 0.5);
}
