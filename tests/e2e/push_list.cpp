// Prints the pushes with which the generator scrambled a hall, for the end-to-end test:
//   quorvane_push_list NAME LEVEL
// one per line: the piece's cell x and y and the direction (left, right, up or down). Made as
// drags in this order, they bring every item to its end.

#include "hall/hall_report.h"

#include <cstdio>
#include <cstdlib>

namespace {

class PushPrinter final : public PushObserver {
  public:
    void piecePushed(int x, int y, int direction, const HallGrid&) override {
        static const char* const names[] = {"left", "right", "up", "down"};
        std::printf("%d %d %s\n", x, y, names[direction]);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quorvane_push_list NAME LEVEL\n");
        return 2;
    }
    PushPrinter printer;
    runHall(argv[1], std::atoi(argv[2]), &printer);
    return 0;
}
