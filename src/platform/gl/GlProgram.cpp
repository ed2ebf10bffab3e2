#include "platform/gl/GlProgram.h"

#include "platform/gl/GlApi.h"

#include <vector>

namespace platform {
namespace {

// The picture is kept with the game's top row first, so OpenGL's window y runs down the screen
// like the game's; its edge rules then fall the way the game's do. Pixel centres sit on whole
// coordinates in the game's screen space and on halves in OpenGL's, so every vertex moves half
// a picture pixel right and down. Screen positions are in the 640x480 layout, which the picture
// may be larger than. Depth 0..1 becomes -1..1. Colours arrive as the bytes of ARGB words in
// memory, blue first.
const char* const vertexSource = R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 colour;
layout(location = 2) in vec2 texcoord;
layout(location = 3) in uint layer;
uniform mat4 viewProjection;
uniform bool screenSpace;
uniform vec2 pictureSize;
out vec4 vertexColour;
out vec2 vertexTexcoord;
flat out uint pictureLayer;
void main()
{
    vec4 clip;
    if (screenSpace) {
        vec2 pixel = position.xy * (pictureSize / vec2(640.0, 480.0)) + 0.5;
        clip = vec4(pixel * 2.0 / pictureSize - 1.0, position.z * 2.0 - 1.0, 1.0);
    } else {
        clip = viewProjection * vec4(position, 1.0);
        clip.x += clip.w / pictureSize.x;
        clip.y = clip.w / pictureSize.y - clip.y;
        clip.z = clip.z * 2.0 - clip.w;
    }
    gl_Position = clip;
    vertexColour = colour.bgra;
    vertexTexcoord = texcoord;
    pictureLayer = layer;
}
)";

// Each vertex names its picture's layer in the bound array; layer 0 is white (untextured). The
// plain variant is texture times vertex colour with no alpha test: a shader that never discards
// lets the rasteriser skip hidden pixels before shading them.
const char* const fragmentSource = R"(
in vec4 vertexColour;
in vec2 vertexTexcoord;
flat in uint pictureLayer;
uniform sampler2DArray pictures;
uniform int colourCombine;
uniform int alphaCombine;
uniform bool alphaTest;
out vec4 fragment;
float Combine(int mode, float picture, float diffuse)
{
    if (mode == 1) return picture;
    if (mode == 2) return diffuse;
    return picture * diffuse;
}
void main()
{
    vec4 picture = texture(pictures, vec3(vertexTexcoord, float(pictureLayer)));
#ifdef PLAIN
    fragment = picture * vertexColour;
#else
    vec3 rgb = colourCombine == 1 ? picture.rgb : (colourCombine == 2 ? vertexColour.rgb : picture.rgb * vertexColour.rgb);
    float alpha = Combine(alphaCombine, picture.a, vertexColour.a);
    if (alphaTest && floor(alpha * 255.0 + 0.5) < 8.0) discard;
    fragment = vec4(rgb, alpha);
#endif
}
)";

// The same shaders in either language: GLSL 3.30 core, or GLSL ES 3.00 with every precision at
// its highest (what desktop OpenGL computes at anyway), so both draw the same pixels.
const char* Version(bool es)
{
    return es ? "#version 300 es\nprecision highp float;\nprecision highp int;\nprecision highp sampler2DArray;\n"
              : "#version 330 core\n";
}

GLuint Compile(GLenum type, const char* source, std::string& error, bool es, const char* definitions)
{
    const GLuint shader = glCreateShader(type);
    const char* const parts[3] = {Version(es), definitions, source};
    glShaderSource(shader, 3, parts, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length) + 1, '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    error = std::string("shader does not compile: ") + log.data();
    glDeleteShader(shader);
    return 0;
}

}  // namespace

bool GlProgram::Build(bool plain, bool es, std::string& error)
{
    const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource, error, es, "");
    if (vertex == 0) return false;
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentSource, error, es, plain ? "#define PLAIN 1\n" : "");
    if (fragment == 0) {
        glDeleteShader(vertex);
        return false;
    }
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        error = "shader does not link";
        return false;
    }
    viewProjection = glGetUniformLocation(program, "viewProjection");
    screenSpace = glGetUniformLocation(program, "screenSpace");
    colourCombine = glGetUniformLocation(program, "colourCombine");
    alphaCombine = glGetUniformLocation(program, "alphaCombine");
    alphaTest = glGetUniformLocation(program, "alphaTest");
    pictureSize = glGetUniformLocation(program, "pictureSize");
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "pictures"), 0);
    return true;
}

GlProgram::~GlProgram()
{
    if (program != 0) glDeleteProgram(program);
}

void GlProgram::Use() const { glUseProgram(program); }
void GlProgram::SetViewProjection(const float matrix[16]) const { glUniformMatrix4fv(viewProjection, 1, GL_FALSE, matrix); }
void GlProgram::SetScreenSpace(bool value) const { glUniform1i(screenSpace, value ? 1 : 0); }
void GlProgram::SetCombine(int colour, int alpha) const
{
    glUniform1i(colourCombine, colour);
    glUniform1i(alphaCombine, alpha);
}
void GlProgram::SetAlphaTest(bool enabled) const { glUniform1i(alphaTest, enabled ? 1 : 0); }
void GlProgram::SetPictureSize(int width, int height) const
{
    glUniform2f(pictureSize, static_cast<float>(width), static_cast<float>(height));
}

}  // namespace platform
