#include "core/assets/picture_filter.h"

namespace assets {

const std::vector<filter_entry>& picture_filter() {
    static const std::vector<filter_entry> entries = [] {
        std::vector<filter_entry> formats = {
            {"Windows Bitmap (*.bmp)", "*.BMP"},
            {"Windows Icon (*.ico)", "*.ICO"},
            {"Portable Network Graphic (*.png)", "*.PNG"},
            {"JPeg (*.jpg)", "*.JPG;*.JIF"},
            {"Graphics Interchange Format (*.gif)", "*.GIF"},
            {"Tagged Image File Format (*.tif)", "*.TIF;*.TIFF"},
            {"Kodak Photo CD (*.pcd)", "*.PCD"},
            {"PC Paintbrush (*.pcx)", "*.PCX"},
            {"Dr. Halo (*.cut)", "*.CUT"},
            {"Interchange File (*.iff)", "*.IFF"},
            {"Portable Bitmap (*.pbm)", "*.PBM"},
            {"Portable Graymap (*.pgm)", "*.PGM"},
            {"Portable Pixelmap (*.ppm)", "*.PPM"},
            {"Sun Raster (*.ras)", "*.RAS"},
            {"Targa (*.tga)", "*.TGA"},
            {"JPEG Network Graphics (*.jng)", "*.JNG"},
            {"IFF Interleaved Bitmap (*.lbm)", "*.LBM"},
            {"Multiple-image Network Graphics (*.mng)", "*.MNG"},
            {"Photoshop Document (*.psd)", "*.PSD"},
            {"High Dynamic Range image (*.hdr)", "*.HDR"},
            {"Wireless Bitmap (*.wbmp)", "*.WBMP"},
            {"X Pixmap (*.xpm)", "*.XPM"},
        };
        std::vector<filter_entry> all = {
            {"All Images",
             "*.BMP;*.ICO;*.PNG;*.JPG;*.JIF;*.GIF;"
             "*.TIF;*.TIFF;*.PCD;*.PCX;*.CUT;*.IFF;*.PBM;*.PGM;*.PPM;*.RAS;"
             "*.TGA;*.JNG;*.LBM;*.MNG;*.PSD;*.HDR;*.WBMP;*.XPM"}};
        all.insert(all.end(), formats.begin(), formats.end());
        return all;
    }();
    return entries;
}

const std::vector<filter_entry>& program_filter() {
    static const std::vector<filter_entry> entries = {{"RFO-BASIC! program", "*.BAS"}};
    return entries;
}

}  // namespace assets
