#pragma once

// Where a minimised window draws its icon in its client area.
struct IconOrigin {
    int x;
    int y;
};

// Centred, rounding up by one before halving and truncating toward zero, as
// the classic paint code does: a 36 x 36 client with a 32 x 32 icon gives
// (2, 2); a client narrower than the icon gives a negative origin, -15 and
// not -16 for width 0 and icon width 32.
IconOrigin CentredIconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight);
