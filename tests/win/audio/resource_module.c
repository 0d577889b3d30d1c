/* Body of the resource-only DLLs that serve the MusicPlayer tests as
 * resource modules: all they hold is their resource script. */
int terrava_audio_resource_module;
