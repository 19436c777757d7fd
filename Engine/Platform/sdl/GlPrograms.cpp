#include "GlPrograms.h"

#include <cstdio>
#include <string>
#include <vector>

#include "GlProgramSources.h"

namespace Platform::Sdl {

namespace {

GLuint compile(GLenum type, const char* header, const char* body) {
  const GLuint shader = gl.glCreateShader(type);
  const char* parts[] = {header, body};
  gl.glShaderSource(shader, 2, parts, nullptr);
  gl.glCompileShader(shader);
  GLint ok = GL_FALSE;
  gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    GLint length = 0;
    gl.glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    gl.glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::fprintf(stderr, "Shader compilation failed:\n%s\n", log.data());
    gl.glDeleteShader(shader);
    return 0;
  }
  return shader;
}

}  // namespace

bool GlPrograms::link(Program& program, const char* vertexBody, const char* fragmentBody) {
  const GLuint vertex = compile(GL_VERTEX_SHADER, ProgramSources::kVertexHeader, vertexBody);
  const GLuint fragment = compile(GL_FRAGMENT_SHADER, ProgramSources::kFragmentHeader, fragmentBody);
  if (!vertex || !fragment) {
    if (vertex) gl.glDeleteShader(vertex);
    if (fragment) gl.glDeleteShader(fragment);
    return false;
  }
  program.name = gl.glCreateProgram();
  gl.glAttachShader(program.name, vertex);
  gl.glAttachShader(program.name, fragment);
  gl.glLinkProgram(program.name);
  gl.glDeleteShader(vertex);
  gl.glDeleteShader(fragment);
  GLint ok = GL_FALSE;
  gl.glGetProgramiv(program.name, GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    char log[1024] = {};
    gl.glGetProgramInfoLog(program.name, sizeof log, nullptr, log);
    std::fprintf(stderr, "Shader program link failed:\n%s\n", log);
    return false;
  }
  program.vertexConstants = gl.glGetUniformLocation(program.name, "vc");
  program.pixelConstants = gl.glGetUniformLocation(program.name, "pc");
  program.pixelOffset = gl.glGetUniformLocation(program.name, "uPixelOffset");
  program.alphaReference = gl.glGetUniformLocation(program.name, "uAlphaReference");
  gl.glUseProgram(program.name);
  gl.glUniform1i(gl.glGetUniformLocation(program.name, "uTexture"), 0);
  gl.glUseProgram(0);
  return true;
}

bool GlPrograms::build() {
  using namespace ProgramSources;
  const bool ok = link(mPrograms[0], kUnlitVertex, kModulateFragment) &&
                  link(mPrograms[1], kVertexLitVertex, kModulateFragment) &&
                  link(mPrograms[2], kPixelLitVertex, kPixelLitFragment);
  if (!ok) {
    release();
  }
  return ok;
}

void GlPrograms::release() {
  for (Program& program : mPrograms) {
    if (program.name) {
      gl.glDeleteProgram(program.name);
    }
    program = Program{};
  }
  mCurrent = 0;
}

void GlPrograms::use(ShaderProgram which, const float* vertexConstants, const float* pixelConstants,
                     std::uint64_t constantsVersion, float pixelOffsetX, float pixelOffsetY, float alphaReference) {
  Program& program = mPrograms[static_cast<std::size_t>(which)];
  if (mCurrent != program.name) {
    gl.glUseProgram(program.name);
    mCurrent = program.name;
  }
  if (program.uploadedVersion != constantsVersion) {
    gl.glUniform4fv(program.vertexConstants, kVertexRegisters, vertexConstants);
    if (program.pixelConstants >= 0) {
      gl.glUniform4fv(program.pixelConstants, kPixelRegisters, pixelConstants);
    }
    program.uploadedVersion = constantsVersion;
  }
  if (program.pixelOffsetX != pixelOffsetX || program.pixelOffsetY != pixelOffsetY) {
    gl.glUniform2f(program.pixelOffset, pixelOffsetX, pixelOffsetY);
    program.pixelOffsetX = pixelOffsetX;
    program.pixelOffsetY = pixelOffsetY;
  }
  if (program.alphaReferenceValue != alphaReference) {
    gl.glUniform1f(program.alphaReference, alphaReference);
    program.alphaReferenceValue = alphaReference;
  }
}

}  // namespace Platform::Sdl
