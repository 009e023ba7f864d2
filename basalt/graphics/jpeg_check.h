#pragma once
// stb_image builds each Huffman table of a JPEG into arrays of 256 codes
// without checking that the table's 16 code counts add up to at most 256, so
// a damaged table makes it write past them. This check finds every Huffman
// table segment (FF C4) stb_image could read and adds up its counts first.

namespace Basalt {

// False only for data that starts as a JPEG (FF bytes, then D8) and holds a
// Huffman table of more than 256 codes; anything else passes (the decoder
// judges it).
bool JpegHuffmanTablesFit(const unsigned char* data, unsigned size);

}  // namespace Basalt
