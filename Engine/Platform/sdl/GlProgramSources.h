#pragma once

namespace Platform::Sdl::ProgramSources {

// Shared by every vertex program: the common vertex, the position transform
// (vc0-vc3, rows), the remap of the 0..1 depth range onto OpenGL's -1..1, the
// flip that stores the back buffer top row first (so edge rules and pixel rows
// match a top-left origin), and the half-pixel shift that puts pixel centres
// on whole coordinates.
inline constexpr char kVertexHeader[] = R"(#version 330 core
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec4 aColor;
layout(location = 3) in vec2 aTexCoord;
uniform vec4 vc[19];
uniform vec2 uPixelOffset;
const float kByteScale = 0.003922;

vec4 transformPosition() {
  vec4 p = vec4(dot(vc[0], aPosition), dot(vc[1], aPosition), dot(vc[2], aPosition), dot(vc[3], aPosition));
  p.z = 2.0 * p.z - p.w;
  p.y = -p.y;
  p.xy += uPixelOffset * p.w;
  return p;
}

// The colour's bytes arrive as blue, green, red, alpha.
vec4 vertexColor() { return aColor.zyxw; }

vec3 worldPosition() { return vec3(dot(vc[4], aPosition), dot(vc[5], aPosition), dot(vc[6], aPosition)); }
vec3 worldNormal() { return vec3(dot(vc[7].xyz, aNormal), dot(vc[8].xyz, aNormal), dot(vc[9].xyz, aNormal)); }
)";

inline constexpr char kUnlitVertex[] = R"(
out vec4 vColor;
out vec2 vTexCoord;
void main() {
  gl_Position = transformPosition();
  vColor = clamp(vertexColor() * vc[10] * kByteScale, 0.0, 1.0);
  vTexCoord = aTexCoord;
}
)";

// Four point lights at once, one per vector component.
inline constexpr char kVertexLitVertex[] = R"(
out vec4 vColor;
out vec2 vTexCoord;
void main() {
  gl_Position = transformPosition();
  vec3 p = worldPosition();
  vec3 n = worldNormal();
  vec4 dx = vc[12] - p.x;
  vec4 dy = vc[13] - p.y;
  vec4 dz = vc[14] - p.z;
  vec4 facing = n.x * dx + n.y * dy + n.z * dz;
  vec4 distance2 = dx * dx + dy * dy + dz * dz;
  vec4 diffuse = max(facing / (distance2 + 0.00001), 0.0);
  vec3 light = vc[11].rgb + vc[15].rgb * diffuse.x + vc[16].rgb * diffuse.y + vc[17].rgb * diffuse.z +
               vc[18].rgb * diffuse.w;
  vec4 c = vertexColor();
  vColor = clamp(vec4(light * c.rgb * vc[10].rgb, c.a * vc[10].w) * kByteScale, 0.0, 1.0);
  vTexCoord = aTexCoord;
}
)";

inline constexpr char kPixelLitVertex[] = R"(
out vec4 vColor;
out vec2 vTexCoord;
out vec3 vWorldPosition;
out vec3 vWorldNormal;
void main() {
  gl_Position = transformPosition();
  vWorldPosition = worldPosition();
  vWorldNormal = worldNormal();
  vColor = clamp(vertexColor() * vc[10] * kByteScale, 0.0, 1.0);
  vTexCoord = aTexCoord;
}
)";

// The alpha test keeps fragments whose alpha, as a byte, is at least the
// reference; a reference of 0 keeps everything.
inline constexpr char kFragmentHeader[] = R"(#version 330 core
in vec4 vColor;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform float uAlphaReference;
out vec4 fragColor;

void alphaTest(float alpha) {
  if (floor(alpha * 255.0 + 0.5) < uAlphaReference) {
    discard;
  }
}
)";

// The texture stage of the unlit and vertex-lit programs: texture times colour.
inline constexpr char kModulateFragment[] = R"(
void main() {
  vec4 c = texture(uTexture, vTexCoord) * vColor;
  alphaTest(c.a);
  fragColor = c;
}
)";

inline constexpr char kPixelLitFragment[] = R"(
in vec3 vWorldPosition;
in vec3 vWorldNormal;
uniform vec4 pc[11];

vec4 guardedPow(vec4 x, float e) {
  return vec4(x.x > 0.0 ? pow(x.x, e) : 0.0, x.y > 0.0 ? pow(x.y, e) : 0.0,
              x.z > 0.0 ? pow(x.z, e) : 0.0, x.w > 0.0 ? pow(x.w, e) : 0.0);
}

vec3 sumLights(vec4 weights) {
  return pc[6].rgb * weights.x + pc[7].rgb * weights.y + pc[8].rgb * weights.z + pc[9].rgb * weights.w;
}

void main() {
  vec4 t = texture(uTexture, vTexCoord);
  vec3 p = vWorldPosition;
  vec3 v = pc[4].xyz - p;
  vec3 n = normalize(vWorldNormal);
  vec3 r = 2.0 * n * dot(n, v) - v;
  vec4 dx = pc[1] - p.x;
  vec4 dy = pc[2] - p.y;
  vec4 dz = pc[3] - p.z;
  vec4 distance2 = dx * dx + dy * dy + dz * dz + 0.0001;
  vec4 diffuse = max((n.x * dx + n.y * dy + n.z * dz) / distance2, 0.0);
  vec4 cosine = max((r.x * dx + r.y * dy + r.z * dz) / sqrt(dot(r, r) * distance2), 0.0);
  vec4 shine = guardedPow(cosine, pc[5].w) / sqrt(distance2);
  vec3 specular = pc[5].rgb * sumLights(shine);
  vec3 light = pc[0].rgb + sumLights(diffuse);
  vec4 base = t * vColor;
  alphaTest(base.a);
  fragColor = clamp(vec4(base.rgb * light + specular + pc[10].rgb, base.a), 0.0, 1.0);
}
)";

}  // namespace Platform::Sdl::ProgramSources
