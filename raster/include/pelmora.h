/* libpelmora: writes printer-language macros that draw BMP images or wrap JPEG and TIFF files.
 * Plain C interface. */
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

/* The generator's exports are declared here as they are built. */

#ifdef __cplusplus
}
#endif

#endif
