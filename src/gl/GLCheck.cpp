#include "gl/GLCheck.h"

#include <epoxy/gl.h>

#include <cstdio>

void ReportGLError(const char* call, const char* file, int line) {
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
    std::fprintf(stderr, "GL error 0x%04X after %s (%s:%d)\n", error, call, file, line);
}
