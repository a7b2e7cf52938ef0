// The browse library's classes are Windows only; natively it holds the model alone.
