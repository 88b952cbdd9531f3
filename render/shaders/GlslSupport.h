#pragma once

// Process-wide state of the GLSL layer. Both flags are decided once, by the first shader
// object created with a current GL context, and then hold for the whole process.
namespace GlslSupport {
// GLSL may be used; every operation on shader objects tests it first.
extern bool glslAvailable;
// The extension loader has been initialised successfully.
extern bool extensionsReady;
} // namespace GlslSupport

// Initialises the extension loader once (needs a current GL context) and prints the GL
// identity and the shader support. Later calls return true without printing.
bool initGLExtensions();

// Decides whether GLSL is available and prints the version and extension report.
bool checkGLSLSupport();

// Prints every pending GL error with the given unit name and line; 1 if there was one.
int reportGLErrors(const char *file, int line);

// Shared by the compiler and linker logs: when the object reports a log of more than one
// byte (`length`), `logBuffer` is replaced by a fresh malloc'ed buffer that `fetch` fills.
// Returns the log, "[e03] Out of memory!" when the buffer cannot be had, or `unavailable`
// when no log was ever fetched.
using InfoLogFetch = void (*)(unsigned handle, int length, char *buffer);
const char *takeInfoLog(char *&logBuffer, unsigned handle, int length, InfoLogFetch fetch,
                        const char *unavailable);
