/* LD_PRELOAD shim that counts an X11 OpenGL program's frames at its buffer
 * swaps, for measuring a peer program's frame rate from outside it.
 *
 * Wraps glXSwapBuffers and eglSwapBuffers (xscreensaver 6 draws through EGL
 * and swaps there): each call is passed on to the real function, then
 * counted. About every 0.25 s the count and the time of the latest swap
 * (seconds, CLOCK_MONOTONIC) are rewritten as one line "COUNT SECONDS" into
 * the file named by SWAP_COUNT_FILE, so a reader can take the frame rate
 * between two readings however the program ends. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef void (*GlxSwapFn)(void* display, unsigned long drawable);
typedef unsigned (*EglSwapFn)(void* display, void* surface);

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

static void Publish(unsigned long count, double when) {
  const char* path = getenv("SWAP_COUNT_FILE");
  if (path == NULL) return;
  char temp[4096];
  snprintf(temp, sizeof temp, "%s.part", path);
  FILE* f = fopen(temp, "w");
  if (f == NULL) return;
  fprintf(f, "%lu %.6f\n", count, when);
  fclose(f);
  rename(temp, path);
}

static void CountSwap(void) {
  static unsigned long count = 0;
  static double lastPublished = 0.0;
  ++count;
  double now = Now();
  if (now - lastPublished >= 0.25) {
    Publish(count, now);
    lastPublished = now;
  }
}

void glXSwapBuffers(void* display, unsigned long drawable) {
  static GlxSwapFn real = NULL;
  if (real == NULL) real = (GlxSwapFn)dlsym(RTLD_NEXT, "glXSwapBuffers");
  if (real != NULL) real(display, drawable);
  CountSwap();
}

unsigned eglSwapBuffers(void* display, void* surface) {
  static EglSwapFn real = NULL;
  if (real == NULL) real = (EglSwapFn)dlsym(RTLD_NEXT, "eglSwapBuffers");
  unsigned result = real != NULL ? real(display, surface) : 0;
  CountSwap();
  return result;
}
