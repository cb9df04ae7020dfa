// Sources of the longest route the format allows: 1,000,000 m with curves along it.
#pragma once

#include <string>

// The line description: the route length, a curve of each class every few kilometres (right and
// left in turn), and flat ground.
inline std::string long_route_line_file() {
  std::string s = "[generale]\r\nlunghezza percorso,    1000000\r\n[curve]\r\n";
  int cls = 1;
  bool right = true;
  for (int start = 2000; start + 1500 < 1000000; start += 5000) {
    s += std::string(right ? "curvad" : "curvas") + std::to_string(cls) + ",  " +
         std::to_string(start) + ",  1500\r\n";
    cls = cls % 6 + 1;
    right = !right;
  }
  s += "[pendenze]\r\npendenza,  0,   0\r\n[fine]\r\n";
  return s;
}

// A train that runs the whole route at one speed.
inline std::string long_route_train_file() {
  return "[generale]\r\nnumero vetture,    8\r\n[aderenze]\r\naderenza,   0,    100\r\n"
         "[vel_limite]\r\nvelocita,   0,   150\r\n[fine]\r\n";
}
