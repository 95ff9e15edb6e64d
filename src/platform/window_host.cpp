#include "platform/window_host.h"

namespace sw {

namespace {
WindowHost g_quiet;
WindowHost* g_host = nullptr;
}  // namespace

WindowHost& Windows() { return g_host ? *g_host : g_quiet; }
void SetWindows(WindowHost* host) { g_host = host; }

}  // namespace sw
