/* libpelmora: writes printer-language macros that draw BMP images or wrap JPEG and TIFF files.
 * Plain C interface. Standard C only in this header. */
#ifndef PELMORA_H
#define PELMORA_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(QRL_BUILDING_PELMORA)
#define PELMORA_API __attribute__((visibility("default")))
#else
#define PELMORA_API
#endif

/* What the calling program lends the library for its messages. The library has no texts of its
 * own: every message text is loaded by its string id through loadString, and shown through
 * messageBox (an information box with one OK button, owned by no window, blocking until it is
 * closed; its result is ignored).
 *
 * loadString answers the text of a string id, or NULL (or "") when there is none; the text need
 * only stay valid until the next call, the library copies it at once. When a text a message needs
 * is missing, or either function is NULL, or the host itself is NULL, that message is not shown;
 * the export's result is the same. user is handed back unchanged to both functions. */
typedef struct PelmoraHost {
    const char* (*loadString)(unsigned id, void* user);
    int (*messageBox)(const char* text, const char* caption, void* user);
    void* user;
} PelmoraHost;

/* Both exports take the same eighteen arguments, in this order:
 *   sourcePath      the image file to read; must fit, with its terminating NUL, into
 *                   sourcePathSize bytes, else the call returns 0 at once
 *   outputPath      the macro file to write. The new file replaces an earlier one of that name
 *                   only once every byte of it is on disk, so on any failure the earlier file
 *                   stays as it was (and keeps its permissions); a link is written through, a
 *                   device or a named pipe is written in place. A path that names the image
 *                   file itself (also through a link or another spelling) is refused before
 *                   anything is read or written, after the file message with string 9080
 *   macroName       up to 4 characters are used
 *   resolution      up to 15 characters; "Default" writes no resolution command
 *   unit            up to 15 characters; only the first is written
 *   positionX/Y     up to 15 characters each; both empty writes no position command
 *   width, height   up to 15 characters each; used by the JPEG and TIFF wrap
 *   orientation     0 none, 1 portrait, 2 landscape
 *   imageType       1 BMP, 2 JPEG, 3 TIFF
 *   sourcePathSize  the size of the caller's path field (the program passes 260)
 *   extraText       copied into extraTextSize bytes when that size is not 0; not used further
 *   extraTextSize   0 from the program
 *   instance        the host record above; may be NULL (then nothing is shown)
 *   reserved16..18  ignored; the program passes 0
 * Text arguments other than the two paths may be NULL, meaning empty. The library keeps nothing
 * after a call returns and writes nothing but outputPath. Not re-entrant. */

/* Writes a macro drawing a BMP in black and white (uncompressed, 1, 4, 8, 16, 24 or 32 bits per
 * pixel; colours are turned into black and white by brightness). Only imageType 1 is accepted.
 * Returns 1 when the macro file is written, else 0. Shows no message except "Error writing to
 * file." (2386) when the macro file cannot be written in full, and the refusal of a macro file
 * that is the image. */
PELMORA_API int CreateMacro(const char* sourcePath, const char* outputPath, const char* macroName,
                            const char* resolution, const char* unit, const char* positionX,
                            const char* positionY, const char* width, const char* height, int orientation,
                            int imageType, int sourcePathSize, const char* extraText, int extraTextSize,
                            const PelmoraHost* instance, int reserved16, int reserved17, int reserved18);

/* imageType 1: writes a macro drawing a 16- or 256-colour BMP as RGB rows. imageType 2 or 3: wraps
 * the bytes of a JPEG or TIFF file in a macro for the printer to decode. Any other imageType
 * returns 0 at once. Returns 1 when the macro file is written, else 0 after showing why. */
PELMORA_API int CreateColorMacro(const char* sourcePath, const char* outputPath, const char* macroName,
                                 const char* resolution, const char* unit, const char* positionX,
                                 const char* positionY, const char* width, const char* height,
                                 int orientation, int imageType, int sourcePathSize, const char* extraText,
                                 int extraTextSize, const PelmoraHost* instance, int reserved16,
                                 int reserved17, int reserved18);

#ifdef __cplusplus
}
#endif

#endif
