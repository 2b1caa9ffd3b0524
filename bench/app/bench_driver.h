#pragma once

#include "window/main_window.h"
#include "window/window_handlers.h"

namespace ld::bench {

// The snippet of each bench preview, about 400 bytes: markup, an inline style and GBK words
// ("瓴丹测试商品", a price). The baseline's growing page adds the same.
Text BenchSnippet(int serial);

// Traces the program's events and, as LD_BENCH_PLAN says, clicks 按钮1 once the templates are in:
//   idle               no clicks; the window closes 3 s after the templates are installed
//   repeat:N           restart ticked, N previews of one small snippet (the page keeps its size)
//   accumulate:N       restart off, N previews whose blocks pile up in the page
// Each next click follows 30 ms after the previous preview is painted. The memory of the process
// tree is marked 2 s after the first preview and after the last; then the window closes.
// Wraps services.controls; call before the handlers are made.
void InstallDriver(MainWindow* window, WindowServices& services);

}  // namespace ld::bench
