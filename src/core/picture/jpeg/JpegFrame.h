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
    std::array<JpegHuffmanDecoder, 4> Dc;
    std::array<JpegHuffmanDecoder, 4> Ac;
    std::array<JpegDecoderQuantizationTable, 4> Quantization;
};

// What the frame header declares, and the components it names.
struct JpegFrame {
    // Slots indexed by component identifier 0..254.
    std::array<JpegDecoderComponent, 255> Components;
    std::vector<int> Order; // identifiers in frame order

    int Width = 0;
    int Height = 0;
    int ComponentCount = 0;
    int MaxHorizontalFactor = 1;
    int MaxVerticalFactor = 1;
    int McuRows = 0;
    int McuColumns = 0;
    bool Progressive = false;
    bool Seen = false;

    // The index-th component in frame order.
    JpegDecoderComponent& Component(std::size_t index) {
        return Components[static_cast<std::size_t>(Order[index])];
    }

    // Forgets the components (only those of the frame were ever filled in) and the header.
    void Clear() {
        for (const int id : Order)
            Components[static_cast<std::size_t>(id)] = JpegDecoderComponent{};
        Order.clear();
        Width = Height = ComponentCount = McuRows = McuColumns = 0;
        MaxHorizontalFactor = MaxVerticalFactor = 1;
        Progressive = Seen = false;
    }
};

// The current scan's header.
struct JpegScan {
    std::vector<JpegDecoderComponent*> Components; // at most three
    int SpectralStart = 0;
    int SpectralEnd = 63;
    int ApproximationHigh = 0;
    int ApproximationLow = 0;
};

} // namespace tessivar
