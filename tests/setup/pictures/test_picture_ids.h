// Resource identifiers of the bitmap resources that only the picture-object
// tests use. Plain #defines, read by the resource script too.
#pragma once

// Well-formed pictures
#define IDB_TEST_GRID 301      // 640 x 480, 256 colours: every pixel tells its place
#define IDB_TEST_SIXTEEN 302   // 641 x 3, biClrUsed 16, biSizeImage 0
#define IDB_TEST_NEAR 303      // 8 x 2, 4 colours close to grid colours, values past the count
#define IDB_TEST_SMALL 304     // 16 x 16, the grid's 256 colours
#define IDB_TEST_TOP_DOWN 305  // 16 x 16 of IDB_TEST_SMALL's pixels, stored top-down

// Damaged or unsupported pictures
#define IDB_TEST_TOO_MANY_COLOURS 310  // biClrUsed 300 with a table of 300 entries
#define IDB_TEST_OVERSIZED_IMAGE 311   // 16 x 16 with biSizeImage 1,000,000
#define IDB_TEST_TRUNCATED 312         // 16 x 16 with 100 of its 256 pixel bytes
#define IDB_TEST_FOUR_BIT 313          // 4 bits per pixel
#define IDB_TEST_RLE8 314              // BI_RLE8
#define IDB_TEST_HUGE_HEADER 315       // biSize 65,536
#define IDB_TEST_SHORT_TABLE 316       // 256 colours, 100 bytes of colour table, no pixels
#define IDB_TEST_ZERO_WIDTH 317        // biWidth 0
#define IDB_TEST_257_COLOURS 318       // biClrUsed 257
