#pragma once

#include <GL/glcorearb.h>

namespace Platform::Sdl {

// The OpenGL 3.3 core functions the device uses, loaded from the current
// context by SDL. GL_X(type, name) lists them once.
#define MARROWDEEP_GL_FUNCTIONS(GL_X)                                  \
  GL_X(PFNGLGETSTRINGPROC, glGetString)                                \
  GL_X(PFNGLGETSTRINGIPROC, glGetStringi)                              \
  GL_X(PFNGLGETINTEGERVPROC, glGetIntegerv)                            \
  GL_X(PFNGLGETFLOATVPROC, glGetFloatv)                                \
  GL_X(PFNGLGETERRORPROC, glGetError)                                  \
  GL_X(PFNGLVIEWPORTPROC, glViewport)                                  \
  GL_X(PFNGLDEPTHRANGEPROC, glDepthRange)                              \
  GL_X(PFNGLSCISSORPROC, glScissor)                                    \
  GL_X(PFNGLENABLEPROC, glEnable)                                      \
  GL_X(PFNGLDISABLEPROC, glDisable)                                    \
  GL_X(PFNGLCLEARCOLORPROC, glClearColor)                              \
  GL_X(PFNGLCLEARDEPTHPROC, glClearDepth)                              \
  GL_X(PFNGLCLEARSTENCILPROC, glClearStencil)                          \
  GL_X(PFNGLCLEARPROC, glClear)                                        \
  GL_X(PFNGLDEPTHMASKPROC, glDepthMask)                                \
  GL_X(PFNGLCOLORMASKPROC, glColorMask)                                \
  GL_X(PFNGLDEPTHFUNCPROC, glDepthFunc)                                \
  GL_X(PFNGLCULLFACEPROC, glCullFace)                                  \
  GL_X(PFNGLFRONTFACEPROC, glFrontFace)                                \
  GL_X(PFNGLBLENDFUNCPROC, glBlendFunc)                                \
  GL_X(PFNGLPIXELSTOREIPROC, glPixelStorei)                            \
  GL_X(PFNGLREADPIXELSPROC, glReadPixels)                              \
  GL_X(PFNGLREADBUFFERPROC, glReadBuffer)                              \
  GL_X(PFNGLDRAWBUFFERPROC, glDrawBuffer)                              \
  GL_X(PFNGLFINISHPROC, glFinish)                                      \
  GL_X(PFNGLGENBUFFERSPROC, glGenBuffers)                              \
  GL_X(PFNGLDELETEBUFFERSPROC, glDeleteBuffers)                        \
  GL_X(PFNGLBINDBUFFERPROC, glBindBuffer)                              \
  GL_X(PFNGLBUFFERDATAPROC, glBufferData)                              \
  GL_X(PFNGLBUFFERSUBDATAPROC, glBufferSubData)                        \
  GL_X(PFNGLGENVERTEXARRAYSPROC, glGenVertexArrays)                    \
  GL_X(PFNGLDELETEVERTEXARRAYSPROC, glDeleteVertexArrays)              \
  GL_X(PFNGLBINDVERTEXARRAYPROC, glBindVertexArray)                    \
  GL_X(PFNGLENABLEVERTEXATTRIBARRAYPROC, glEnableVertexAttribArray)    \
  GL_X(PFNGLVERTEXATTRIBPOINTERPROC, glVertexAttribPointer)            \
  GL_X(PFNGLGENTEXTURESPROC, glGenTextures)                            \
  GL_X(PFNGLDELETETEXTURESPROC, glDeleteTextures)                      \
  GL_X(PFNGLBINDTEXTUREPROC, glBindTexture)                            \
  GL_X(PFNGLTEXIMAGE2DPROC, glTexImage2D)                              \
  GL_X(PFNGLTEXSUBIMAGE2DPROC, glTexSubImage2D)                        \
  GL_X(PFNGLTEXPARAMETERIPROC, glTexParameteri)                        \
  GL_X(PFNGLACTIVETEXTUREPROC, glActiveTexture)                        \
  GL_X(PFNGLGENSAMPLERSPROC, glGenSamplers)                            \
  GL_X(PFNGLDELETESAMPLERSPROC, glDeleteSamplers)                      \
  GL_X(PFNGLBINDSAMPLERPROC, glBindSampler)                            \
  GL_X(PFNGLSAMPLERPARAMETERIPROC, glSamplerParameteri)                \
  GL_X(PFNGLSAMPLERPARAMETERFPROC, glSamplerParameterf)                \
  GL_X(PFNGLGENFRAMEBUFFERSPROC, glGenFramebuffers)                    \
  GL_X(PFNGLDELETEFRAMEBUFFERSPROC, glDeleteFramebuffers)              \
  GL_X(PFNGLBINDFRAMEBUFFERPROC, glBindFramebuffer)                    \
  GL_X(PFNGLFRAMEBUFFERRENDERBUFFERPROC, glFramebufferRenderbuffer)    \
  GL_X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, glCheckFramebufferStatus)      \
  GL_X(PFNGLGENRENDERBUFFERSPROC, glGenRenderbuffers)                  \
  GL_X(PFNGLDELETERENDERBUFFERSPROC, glDeleteRenderbuffers)            \
  GL_X(PFNGLBINDRENDERBUFFERPROC, glBindRenderbuffer)                  \
  GL_X(PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC, glRenderbufferStorageMultisample) \
  GL_X(PFNGLBLITFRAMEBUFFERPROC, glBlitFramebuffer)                    \
  GL_X(PFNGLCREATESHADERPROC, glCreateShader)                          \
  GL_X(PFNGLSHADERSOURCEPROC, glShaderSource)                          \
  GL_X(PFNGLCOMPILESHADERPROC, glCompileShader)                        \
  GL_X(PFNGLGETSHADERIVPROC, glGetShaderiv)                            \
  GL_X(PFNGLGETSHADERINFOLOGPROC, glGetShaderInfoLog)                  \
  GL_X(PFNGLDELETESHADERPROC, glDeleteShader)                          \
  GL_X(PFNGLCREATEPROGRAMPROC, glCreateProgram)                        \
  GL_X(PFNGLATTACHSHADERPROC, glAttachShader)                          \
  GL_X(PFNGLLINKPROGRAMPROC, glLinkProgram)                            \
  GL_X(PFNGLGETPROGRAMIVPROC, glGetProgramiv)                          \
  GL_X(PFNGLGETPROGRAMINFOLOGPROC, glGetProgramInfoLog)                \
  GL_X(PFNGLDELETEPROGRAMPROC, glDeleteProgram)                        \
  GL_X(PFNGLUSEPROGRAMPROC, glUseProgram)                              \
  GL_X(PFNGLGETUNIFORMLOCATIONPROC, glGetUniformLocation)              \
  GL_X(PFNGLUNIFORM4FVPROC, glUniform4fv)                              \
  GL_X(PFNGLUNIFORM2FPROC, glUniform2f)                                \
  GL_X(PFNGLUNIFORM1FPROC, glUniform1f)                                \
  GL_X(PFNGLUNIFORM1IPROC, glUniform1i)                                \
  GL_X(PFNGLDRAWARRAYSPROC, glDrawArrays)                              \
  GL_X(PFNGLDRAWRANGEELEMENTSPROC, glDrawRangeElements)

struct GlFunctions {
#define MARROWDEEP_GL_MEMBER(type, name) type name = nullptr;
  MARROWDEEP_GL_FUNCTIONS(MARROWDEEP_GL_MEMBER)
#undef MARROWDEEP_GL_MEMBER

  // Loads every function from the current context; false when one is missing.
  bool load();
};

// The functions of the one context; valid while the device exists.
extern GlFunctions gl;

}  // namespace Platform::Sdl
