#pragma once

#include "core/picture/jpeg/JpegDecoderComponent.h"
#include "core/picture/jpeg/JpegDecoderQuantizationTable.h"
#include "core/picture/jpeg/JpegHuffmanDecoder.h"

#include <array>
#include <cstddef>
#include <vector>

namespace tessivar {

// The tables a stream defines: four DC and four AC Huffman tables, four quantization tables.
struct JpegTables {
    std::array<JpegHuffmanDecoder, 4> dc;
    std::array<JpegHuffmanDecoder, 4> ac;
    std::array<JpegDecoderQuantizationTable, 4> quantization;
};

// What the frame header declares, and the components it names.
struct JpegFrame {
    // Slots indexed by component identifier 0..254.
    std::array<JpegDecoderComponent, 255> components;
    std::vector<int> order; // identifiers in frame order

    int width = 0;
    int height = 0;
    int componentCount = 0;
    int maxHorizontalFactor = 1;
    int maxVerticalFactor = 1;
    int mcuRows = 0;
    int mcuColumns = 0;
    bool progressive = false;
    bool seen = false;

    // The index-th component in frame order.
    JpegDecoderComponent& Component(std::size_t index) {
        return components[static_cast<std::size_t>(order[index])];
    }

    // Forgets the components (only those of the frame were ever filled in) and the header.
    void Clear() {
        for (const int id : order)
            components[static_cast<std::size_t>(id)] = JpegDecoderComponent{};
        order.clear();
        width = height = componentCount = mcuRows = mcuColumns = 0;
        maxHorizontalFactor = maxVerticalFactor = 1;
        progressive = seen = false;
    }
};

// The current scan's header.
struct JpegScan {
    std::vector<JpegDecoderComponent*> components; // at most three
    int spectralStart = 0;
    int spectralEnd = 63;
    int approximationHigh = 0;
    int approximationLow = 0;
};

} // namespace tessivar
