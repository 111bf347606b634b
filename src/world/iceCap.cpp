#include "world/iceCap.hpp"

#include "app/random.hpp"
#include "world/diamondSquare.hpp"

iceCap::iceCap() : data(columns, rows) {}

void iceCap::init() {
    data.fill(UNSET_HEIGHT);
}

void iceCap::gen() {
    init();
    for (int x = 0; x < columns; ++x) {
        for (int y = 0; y <= 10; ++y) {
            data(x, y) = 100;
        }
    }
    for (int x = 0; x < columns; x += 5) {
        data(x, 15) = randomRange(-100, 100);
        data(x, 20) = randomRange(-100, 100);
    }
    for (int x = 0; x < columns; ++x) {
        data(x, 25) = -100;
    }
    // The vertical bound of 130 is never reached: the five rows of tiles end at row 25.
    diamondSquareMain(360, 130, data, 3, 72, 5, 5);
}
