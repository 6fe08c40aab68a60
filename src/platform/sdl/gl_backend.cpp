#include "platform/sdl/gl_backend.h"

#include <SDL_opengl.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace qv {

namespace {
// The largest frame the game asks for is 5120 x 4096; anything beyond this is a bad setting.
constexpr int kMaxFrameSide = 16384;
}  // namespace

namespace {

// Only drivers that put a picture on a screen. SDL would otherwise fall back to its offscreen or
// dummy drivers when no display exists, and the game would run unseen instead of saying so.
bool ShowsAPicture(const char* driver) {
  for (const char* blind : {"offscreen", "dummy", "evdev"})
    if (SDL_strcasecmp(driver, blind) == 0) return false;
  return true;
}

// Wayland is worth trying only where a compositor can be there: its client library complains on
// stderr about a missing runtime folder before it gives up.
bool WaylandPossible() {
  const char* display = SDL_getenv("WAYLAND_DISPLAY");
  if (display && *display) return true;
  const char* runtime = SDL_getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return false;
  const std::string socket = std::string(runtime) + "/wayland-0";
  return access(socket.c_str(), F_OK) == 0;
}

// Starts SDL's video with the driver the user named in SDL_VIDEODRIVER (tests use the dummy one),
// or else with the first real display driver that works.
bool StartVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
  const char* named = SDL_getenv("SDL_VIDEODRIVER");
  if (named && *named) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    std::fprintf(stderr, "quorvax: the video driver \"%s\" cannot start: %s\n", named, SDL_GetError());
    return false;
  }
  for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
    const char* driver = SDL_GetVideoDriver(i);
    if (!driver || !ShowsAPicture(driver)) continue;
    if (SDL_strcasecmp(driver, "wayland") == 0 && !WaylandPossible()) continue;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
  }
  SDL_SetHint(SDL_HINT_VIDEODRIVER, nullptr);
  std::fprintf(stderr, "quorvax: no display found: set DISPLAY (X11) or WAYLAND_DISPLAY to a running desktop\n");
  return false;
}

}  // namespace

GlBackend::GlBackend() {
  if (!StartVideo()) return;
  videoOk_ = SDL_GetNumVideoDisplays() > 0;
}

GlBackend::~GlBackend() {
  if (context_) SDL_GL_DeleteContext(context_);
  if (window_) SDL_DestroyWindow(window_);
}

// Full screen scales the frame onto the desktop's own mode, so every size is available whenever a
// display exists; depth and refresh rate are requests the desktop mode already answers.
bool GlBackend::FullscreenModeExists(int width, int height, int, int) {
  return videoOk_ && width > 0 && height > 0 && width <= kMaxFrameSide && height <= kMaxFrameSide;
}

bool GlBackend::WindowModeExists(int width, int height) {
  if (!videoOk_ || width <= 0 || height <= 0) return false;
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
    usable.w = mode.w;
    usable.h = mode.h;
  }
  return width <= usable.w && height <= usable.h;
}

bool GlBackend::Open(const DisplayRequest& request) {
  if (request.windowed ? !WindowModeExists(request.width, request.height)
                       : !FullscreenModeExists(request.width, request.height, request.depth, request.hz))
    return false;

  SDL_DisplayMode desktop{};
  SDL_GetDesktopDisplayMode(0, &desktop);
  refreshHz_ = desktop.refresh_rate > 0 ? desktop.refresh_rate : 60;

  if (!window_) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Lines are drawn as thin quads; multisampling smooths their edges.
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 1);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 4);
    // A high-density display gets its full pixel count (the frame is drawn at the drawable's size).
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI |
                         (request.windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    window_ = SDL_CreateWindow("Quorvax", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, request.width,
                               request.height, flags);
    if (!window_) {
      SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
      SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
      window_ = SDL_CreateWindow("Quorvax", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, request.width,
                                 request.height, flags);
    }
    if (!window_) {
      std::fprintf(stderr, "quorvax: cannot open a window: %s\n", SDL_GetError());
      return false;
    }
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
      std::fprintf(stderr, "quorvax: no OpenGL context: %s\n", SDL_GetError());
      SDL_DestroyWindow(window_);
      window_ = nullptr;
      return false;
    }
  } else {
    // Keep the window and its context (and so every texture) and change its size or mode.
    SDL_SetWindowFullscreen(window_, 0);
    if (request.windowed) {
      SDL_SetWindowSize(window_, request.width, request.height);
      SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
      SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
  }
  mapping_.frameWidth = request.width;
  mapping_.frameHeight = request.height;
  UpdateMapping();

  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_MULTISAMPLE);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  currentBlend_ = -1;
  currentTexture_ = 0;
  currentViewport_ = {-1, -1, -1, -1};
  swapInterval_ = -2;
  Clear();
  return true;
}

FrameMapping LetterboxMapping(int frameWidth, int frameHeight, int windowWidth, int windowHeight,
                              float pixelsPerPoint) {
  FrameMapping m;
  m.pixelsPerPoint = pixelsPerPoint > 0 ? pixelsPerPoint : 1;
  m.frameWidth = std::max(frameWidth, 1);
  m.frameHeight = std::max(frameHeight, 1);
  m.windowWidth = windowWidth;
  m.windowHeight = windowHeight;
  const float sx = static_cast<float>(windowWidth) / m.frameWidth;
  const float sy = static_cast<float>(windowHeight) / m.frameHeight;
  m.scale = std::max(std::min(sx, sy), 1e-3f);
  m.offsetX = static_cast<int>((windowWidth - m.frameWidth * m.scale) / 2);
  m.offsetY = static_cast<int>((windowHeight - m.frameHeight * m.scale) / 2);
  return m;
}

void WindowToFrame(const FrameMapping& m, float windowX, float windowY, float& frameX, float& frameY) {
  frameX = (windowX * m.pixelsPerPoint - m.offsetX) / m.scale;
  frameY = (windowY * m.pixelsPerPoint - m.offsetY) / m.scale;
}

void FrameToWindow(const FrameMapping& m, float frameX, float frameY, int& windowX, int& windowY) {
  windowX = static_cast<int>((m.offsetX + frameX * m.scale) / m.pixelsPerPoint);
  windowY = static_cast<int>((m.offsetY + frameY * m.scale) / m.pixelsPerPoint);
}

void GlBackend::AllowScreenSaver(bool allow) {
  if (!videoOk_) return;
  if (allow)
    SDL_EnableScreenSaver();
  else
    SDL_DisableScreenSaver();
}

void GlBackend::UpdateMapping() {
  int ww = mapping_.frameWidth, wh = mapping_.frameHeight;
  SDL_GL_GetDrawableSize(window_, &ww, &wh);
  int pointsWide = ww, pointsHigh = wh;
  SDL_GetWindowSize(window_, &pointsWide, &pointsHigh);
  const float pixelsPerPoint = pointsWide > 0 ? static_cast<float>(ww) / static_cast<float>(pointsWide) : 1.0f;
  mapping_ = LetterboxMapping(mapping_.frameWidth, mapping_.frameHeight, ww, wh, pixelsPerPoint);
}

void GlBackend::Clear() {
  if (!window_) return;
  UpdateMapping();
  glDisable(GL_SCISSOR_TEST);
  glViewport(0, 0, mapping_.windowWidth, mapping_.windowHeight);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  // The frame occupies the letterboxed rectangle; y grows downward in frame pixels.
  glViewport(mapping_.offsetX, mapping_.windowHeight - mapping_.offsetY -
                                   static_cast<int>(mapping_.frameHeight * mapping_.scale),
             static_cast<int>(mapping_.frameWidth * mapping_.scale),
             static_cast<int>(mapping_.frameHeight * mapping_.scale));
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, mapping_.frameWidth, mapping_.frameHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  currentViewport_ = {-1, -1, -1, -1};
}

// The game runs at 50 frames a second. Waiting for the vertical blank on a 60 Hz display would
// stretch each 20 ms frame to the next blank after it (33 ms), so vertical sync is used only where
// the display's refresh divides the frame exactly; elsewhere the frame loop's precise sleep paces it.
void GlBackend::Present(bool vsync) {
  if (!window_) return;
  const int wanted = (vsync && refreshHz_ % 50 == 0) ? 1 : 0;
  if (wanted != swapInterval_) {
    SDL_GL_SetSwapInterval(wanted);
    swapInterval_ = wanted;
  }
  SDL_GL_SwapWindow(window_);
}

TextureId GlBackend::CreateTexture(int width, int height, const std::uint8_t* rgba, bool mipmap) {
  if (!window_ || width <= 0 || height <= 0) return 0;
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  currentTexture_ = tex;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmap ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, mipmap ? GL_TRUE : GL_FALSE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return tex;
}

void GlBackend::DeleteTexture(TextureId texture) {
  if (!window_ || texture == 0) return;
  const GLuint tex = texture;
  glDeleteTextures(1, &tex);
  if (currentTexture_ == texture) currentTexture_ = 0;
}

bool GlBackend::GrabFrame(TextureId& texture, int x, int y, int w, int h) {
  if (!window_ || w <= 0 || h <= 0) return false;
  const float s = mapping_.scale;
  const int wx = mapping_.offsetX + static_cast<int>(x * s);
  const int ww = std::max(1, static_cast<int>(w * s));
  const int wh = std::max(1, static_cast<int>(h * s));
  const int wy = mapping_.windowHeight - (mapping_.offsetY + static_cast<int>(y * s)) - wh;
  if (texture == 0) {
    GLuint tex = 0;
    glGenTextures(1, &tex);
    texture = tex;
  }
  glBindTexture(GL_TEXTURE_2D, texture);
  currentTexture_ = texture;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, wx, wy, ww, wh, 0);
  return true;
}

void GlBackend::ApplyBlend(int blend) {
  if (blend == currentBlend_) return;
  currentBlend_ = blend;
  glDisable(GL_ALPHA_TEST);
  switch (blend) {
    case kMaskBlend:  // pixels with alpha below one half are dropped, nothing is blended
      glDisable(GL_BLEND);
      glEnable(GL_ALPHA_TEST);
      glAlphaFunc(GL_GEQUAL, 0.5f);
      break;
    case kAlphaBlend:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case kAddBlend:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    case kShadeBlend:
      glEnable(GL_BLEND);
      glBlendFunc(GL_DST_COLOR, GL_ZERO);
      break;
    default:
      glDisable(GL_BLEND);
      break;
  }
}

void GlBackend::ApplyViewport(const Viewport& v) {
  if (v == currentViewport_) return;
  currentViewport_ = v;
  const bool whole = v.x <= 0 && v.y <= 0 && v.x + v.w >= mapping_.frameWidth && v.y + v.h >= mapping_.frameHeight;
  if (whole) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  const float s = mapping_.scale;
  const int wx = mapping_.offsetX + static_cast<int>(v.x * s);
  const int wh = static_cast<int>(v.h * s);
  const int wy = mapping_.windowHeight - (mapping_.offsetY + static_cast<int>(v.y * s)) - wh;
  glEnable(GL_SCISSOR_TEST);
  glScissor(wx, wy, static_cast<int>(v.w * s), wh);
}

void GlBackend::Draw(const BatchState& state, const Vertex* vertices, int, const std::uint32_t* indices,
                     int indexCount) {
  if (!window_ || indexCount <= 0) return;
  ApplyBlend(state.blend);
  ApplyViewport(state.viewport);
  if (state.texture != currentTexture_) {
    glBindTexture(GL_TEXTURE_2D, state.texture);
    currentTexture_ = state.texture;
  }
  glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].x);
  glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].u);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &vertices[0].rgba);
  glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT, indices);
}

}  // namespace qv
