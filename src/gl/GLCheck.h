#pragma once

// In debug builds, reports a GL error right after the call that raised it, naming the
// call; release builds run the call alone.
void ReportGLError(const char* call, const char* file, int line);

#ifndef NDEBUG
#define ZQ_GL_CHECK(call)                     \
  do {                                        \
    call;                                     \
    ReportGLError(#call, __FILE__, __LINE__); \
  } while (0)
#else
#define ZQ_GL_CHECK(call) call
#endif
